#include "profiles/profedit_driver_test.h"

#include <memory>
#include <utility>

#include "ui/timer.h"

EditorDriver::EditorDriver(TForm2& editor) : m_editor(editor)
{
    m_previous = SetModalHandler([this](const ModalRequest& request, const std::function<int()>& run) {
        if (request.name != "Form2") {
            otherRuns.push_back(request.name);
            return static_cast<int>(mrCancel);
        }
        return Drive(run);
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
    m_editor.EditedProfile = profile;
    Script(std::move(steps));
    return m_editor.ShowModal();
}

int EditorDriver::Drive(const std::function<int()>& run)
{
    ++m_runs;
    std::vector<Step> steps = std::exchange(m_steps, {});
    size_t next = 0;
    TTimer ticks;
    ticks.onTimer = [&] {
        if (next < steps.size()) {
            steps[next++]();
            return;
        }
        ticks.SetEnabled(false);
        if (m_editor.ModalResult() == mrNone) {
            ADD_FAILURE() << "the editor is still open after its script";
            m_editor.SetModalResult(mrCancel);  // the run checks it after this tick
        }
    };
    ticks.SetInterval(1);
    ticks.SetEnabled(true);
    return run();
}

void PostChars(HWND control, std::string_view text)
{
    for (char character : text) {
        PostMessageA(control, WM_CHAR, static_cast<unsigned char>(character), 1);
    }
}

void PostKey(HWND control, WORD key, bool down)
{
    const bool alt = GetKeyState(VK_MENU) < 0;
    const UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16);
    if (alt) lParam |= LPARAM{1} << 29;
    if (!down) lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    PostMessageA(control, message, key, lParam);
}

void HoldModifiers(std::initializer_list<int> keys)
{
    BYTE state[256]{};
    GetKeyboardState(state);
    for (int key : keys)
        state[key] |= 0x80;
    SetKeyboardState(state);
}

void ReleaseModifiers()
{
    BYTE state[256]{};
    GetKeyboardState(state);
    for (int key :
         {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU, VK_RMENU}) {
        state[key] &= 0x7F;
    }
    SetKeyboardState(state);
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

BoxRecorder::BoxRecorder()
{
    m_previous = SetMessageBoxHandler([this](HWND, const std::string& text, const std::string&, UINT) {
        texts.push_back(text);
        return IDOK;
    });
}

BoxRecorder::~BoxRecorder() { SetMessageBoxHandler(m_previous); }
