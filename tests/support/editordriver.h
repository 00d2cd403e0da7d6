#pragma once
// The profile editor's driver: its modal runs ("Form2") pass the modal seam and are driven
// from inside their own message loop, one step per timer tick (see timedsteps.h), with the
// messages a user's actions send (see input.h).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "profiles/profedit.h"
#include "support/input.h"
#include "support/timedsteps.h"
#include "ui/modal.h"

// For its life, every run of the editor is driven by the steps of the last Script. After the
// last step the editor must have closed; if it has not, the test fails and the editor is
// cancelled, so no test ever hangs on it. Other modal runs go to the handler that was there
// before, or are answered "Cancel" without showing anything when there was none.
class EditorDriver {
public:
    explicit EditorDriver(TForm2& editor);
    // The editor a variable names when it runs, such as the main window's Form2.
    explicit EditorDriver(TForm2* const& editor);
    ~EditorDriver();
    EditorDriver(const EditorDriver&) = delete;
    EditorDriver& operator=(const EditorDriver&) = delete;

    void Script(std::vector<Step> steps);
    // Runs the editor on `profile` as OpenProfileEditor does, without the placing.
    int Open(Tprofile* profile, std::vector<Step> steps);
    int Runs() const noexcept { return m_runs; }
    TForm2& Editor() const { return **m_editor; }

    // Steps for the script: the user's actions on the editor.
    Step Title(const std::string& title);
    Step Ok();
    Step Cancel();
    Step Press(HWND button);
    // Selects everything in a field and types over it.
    Step TypeOver(HWND field, std::string keys);

private:
    TForm2* m_own = nullptr;
    TForm2* const* m_editor;
    std::vector<Step> m_steps;
    int m_runs = 0;
    ModalHandler m_previous;
};
