#pragma once
// What the profile editor's tests share: the dialog run modally through the modal seam and
// driven from inside its own message loop, one step per timer tick, with the messages a
// user's actions send; message boxes recorded instead of shown.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/messagebox.h"
#include "profiles/profedit.h"
#include "ui/modal.h"

using Step = std::function<void()>;

// For its life, every modal run of the editor ("Form2") is driven by the steps of the last
// Script: each runs on its own timer tick inside the run, so what an earlier step posted has
// been handled when the next one starts. After the last step the dialog must have closed; if
// it has not, the test fails and the dialog is cancelled, so no test ever hangs on it. Other
// modal runs are answered "Cancel" without showing anything.
class EditorDriver {
public:
    explicit EditorDriver(TForm2& editor);
    ~EditorDriver();
    EditorDriver(const EditorDriver&) = delete;
    EditorDriver& operator=(const EditorDriver&) = delete;

    void Script(std::vector<Step> steps);
    // Runs the editor on `profile` as OpenProfileEditor does, without the placing.
    int Open(Tprofile* profile, std::vector<Step> steps);

    int Runs() const noexcept { return m_runs; }
    std::vector<std::string> otherRuns;  // names of the other modal runs asked for

private:
    int Drive(const std::function<int()>& run);

    TForm2& m_editor;
    std::vector<Step> m_steps;
    int m_runs = 0;
    ModalHandler m_previous;
};

// The user's actions, as the messages they send. Characters and keys are posted, so they
// reach the control through the dialog's own message loop and keyboard handling.
void PostChars(HWND control, std::string_view text);
void PostKey(HWND control, WORD key, bool down = true);
// A key typed into a control while holding modifiers (VK_SHIFT, VK_CONTROL, VK_MENU): the
// keyboard state holds them while the messages are handled (until ReleaseModifiers).
void HoldModifiers(std::initializer_list<int> keys);
void ReleaseModifiers();
void Click(HWND button);

// Records message boxes for its life instead of showing them.
class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
    std::vector<std::string> texts;

private:
    MessageBoxHandler m_previous;
};
