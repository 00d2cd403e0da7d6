#include "support/editordriver.h"

#include <gtest/gtest.h>

#include <utility>

EditorDriver::EditorDriver(TForm2& editor) : EditorDriver(m_own) { m_own = &editor; }

EditorDriver::EditorDriver(TForm2* const& editor) : m_editor(&editor)
{
    m_previous = SetModalHandler([this](const ModalRequest& request, const std::function<int()>& run) {
        if (request.name != "Form2") return m_previous ? m_previous(request, run) : static_cast<int>(mrCancel);
        ++m_runs;
        TimedSteps steps(std::exchange(m_steps, {}), 1, nullptr, [this] {
            if (!Editor().Modal()) return;
            ADD_FAILURE() << "the editor is still open after its script";
            Editor().SetModalResult(mrCancel);  // the run checks it next
        });
        return run();
    });
}

EditorDriver::~EditorDriver()
{
    SetModalHandler(m_previous);
    ReleaseModifiers();
}

void EditorDriver::Script(std::vector<Step> steps) { m_steps = std::move(steps); }

int EditorDriver::Open(Tprofile* profile, std::vector<Step> steps)
{
    Editor().EditedProfile = profile;
    Script(std::move(steps));
    return Editor().ShowModal();
}

Step EditorDriver::Title(const std::string& title)
{
    return [this, title] { Editor().proftitle->SetText(title); };
}

// Found when the step runs: the main window's editor may not be made yet when it is scripted.
Step EditorDriver::Ok()
{
    return [this] { PostMessageA(Editor().Button1->Handle(), BM_CLICK, 0, 0); };
}

Step EditorDriver::Cancel()
{
    return [this] { PostMessageA(Editor().Button2->Handle(), BM_CLICK, 0, 0); };
}

Step EditorDriver::Press(HWND button)
{
    return [button] { PostMessageA(button, BM_CLICK, 0, 0); };
}

Step EditorDriver::TypeOver(HWND field, std::string keys)
{
    return [field, keys] {
        PostMessageA(field, EM_SETSEL, 0, -1);
        PostChars(field, keys);
    };
}
