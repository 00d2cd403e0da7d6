#include "ui/form.h"

#include "ui/accesskeys.h"
#include "ui/application.h"
#include "core/errorbox.h"
#include "core/handles.h"
#include "ui/modal.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/keyboardowner.h"

namespace {
DWORD FormStyle(const FormArgs& args)
{
    // A fixed frame: no sizing border, and no minimise or maximise box.
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (args.borderStyle == TBorderStyle::bsDialog) style |= DS_MODALFRAME;
    return style;
}

DWORD FormExStyle(const FormArgs& args)
{
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (args.borderStyle == TBorderStyle::bsDialog) exStyle |= WS_EX_DLGMODALFRAME;
    // The help button shows only on captions without minimise and maximise boxes.
    if (args.helpButton) exStyle |= WS_EX_CONTEXTHELP;
    return exStyle;
}
}  // namespace

TForm::TForm(const FormArgs& args) : m_name(args.name), m_designClient{args.bounds.width, args.bounds.height}
{
    const DWORD style = FormStyle(args);
    const DWORD exStyle = FormExStyle(args);
    RECT outer{0, 0, args.bounds.width, args.bounds.height};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    WindowClass windowClass;
    windowClass.name = kFormWindowClass;
    Init(windowClass, style, exStyle, args.owner,
         {args.bounds.left, args.bounds.top, outer.right - outer.left, outer.bottom - outer.top}, args.caption);
    SetFont(args.font != nullptr ? args.font : DefaultFont());
    if (TApplication* application = TApplication::Current()) application->FormConstructed(*this);
    if (args.icon != nullptr) SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(args.icon));
    if (args.smallIcon != nullptr)
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(args.smallIcon));
}

void TForm::DoCreate()
{
    // The layout is the design's at 96 DPI until here; the form takes its monitor's scale.
    ScaleTo(WindowDpi(Handle()));
    Guarded(
        [this] {
            if (onCreate) onCreate();
            return true;
        },
        false);
}

void TForm::ScaleTo(int dpi)
{
    const int oldDpi = Dpi();
    if (dpi == oldDpi) return;
    ScaleBy(dpi, oldDpi);
    const RECT client{0, 0, Scaled(m_designClient.cx, dpi), Scaled(m_designClient.cy, dpi)};
    const RECT outer = OuterRect(client, m_style, m_exStyle, dpi);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::DpiChanged(int dpi, const RECT& suggested)
{
    const int oldDpi = Dpi();
    if (dpi != oldDpi) ScaleBy(dpi, oldDpi);
    // The rectangle Windows suggests keeps the window under the pointer on the new monitor
    // (Microsoft: "WM_DPICHANGED message").
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show()
{
    HideAccessKeysUntilAlt(Handle());
    ShowWindow(Handle(), SW_SHOW);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // A form held disabled by a dialog of its own hands the keyboard to that dialog, where a
    // click on the form would take the user too.
    HWND keyboard = KeyboardOwnerOf(Handle());
    SetForegroundWindow(keyboard != nullptr ? keyboard : Handle());
}

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (onCloseQuery) onCloseQuery(canClose);
    return canClose;
}

void TForm::Close()
{
    if (m_modal) {
        // The modal loop asks the close query before it lets the form go.
        m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    if (onClose) onClose(action);
    if (action == TCloseAction::caNone) return;
    TApplication* application = TApplication::Current();
    if (application != nullptr && application->MainForm() == this) {
        application->Terminate();
    } else if (action == TCloseAction::caHide) {
        Hide();
    } else if (action == TCloseAction::caMinimize) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else {
        Hide();  // caFree: forms are created once and kept; hiding is all that is left
    }
}

int TForm::ShowModal()
{
    return RunModal({Handle(), m_name}, [this] { return RunModalLoop(); });
}

int TForm::RunModalLoop()
{
    m_modalResult = mrNone;
    m_modal = true;
    HWND owner = GetWindow(Handle(), GW_OWNER);
    if (owner != nullptr) EnableWindow(owner, FALSE);
    Show();
    MSG message;
    while (m_modalResult == mrNone) {
        // The application is ending (the tray's "Exit" while this dialog was up): the dialog
        // goes with it, without a close query, as a dialog goes when its program ends.
        const TApplication* application = TApplication::Current();
        if (application != nullptr && application->Terminated()) {
            m_modalResult = mrCancel;
            break;
        }
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // Leave the quit for the loop that owns it.
            PostQuitMessage(static_cast<int>(message.wParam));
            if (m_modalResult == mrNone) m_modalResult = mrCancel;
            break;
        }
        if (!TApplication::PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (m_modalResult != mrNone && !Guarded([this] { return CloseQuery(); }, false)) m_modalResult = mrNone;
    }
    if (owner != nullptr) EnableWindow(owner, TRUE);
    Hide();
    m_modal = false;
    return m_modalResult;
}

void TForm::SaveFocus()
{
    HWND focused = GetFocus();
    if (focused != nullptr && IsChild(Handle(), focused)) m_focusedControl = focused;
}

bool TForm::RestoreFocus()
{
    // The control may have gone or been hidden or disabled meanwhile (the grid's in-place editor).
    HWND control = m_focusedControl;
    if (control == nullptr || !IsChild(Handle(), control) || !IsWindowVisible(control) || !IsWindowEnabled(control)) {
        return false;
    }
    SetFocus(control);
    return true;
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        // As a dialog does: the control that had the focus when the form was left (hidden to
        // the tray, or another window activated) gets it back when the form is active again,
        // not the form itself, which is where DefWindowProc would put it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            SaveFocus();
        } else if (HIWORD(wParam) == 0 && RestoreFocus()) {
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (RestoreFocus()) return 0;
        break;
    case WM_CLOSE: Close(); return 0;
    case 0x02E4: {  // WM_GETDPISCALEDSIZE, newer than the headers' target Windows
        // The size the design has at the new DPI, which Windows then suggests in WM_DPICHANGED:
        // the frame does not scale linearly with the client area.
        const int dpi = static_cast<int>(wParam);
        const RECT client{0, 0, Scaled(m_designClient.cx, dpi), Scaled(m_designClient.cy, dpi)};
        const RECT outer = OuterRect(client, m_style, m_exStyle, dpi);
        *reinterpret_cast<SIZE*>(lParam) = {outer.right - outer.left, outer.bottom - outer.top};
        return TRUE;
    }
    case WM_DPICHANGED:
        // The new DPI comes in wParam (x and y alike); GetDpiForWindow may not tell it yet.
        DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        // Only top-level windows hear it; the controls take their colours again, and every
        // part paints with the new ones.
        SystemColorsChanged();
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    case WM_QUERYENDSESSION: {
        m_endingSession = true;
        ScopeExit answered([this] { m_endingSession = false; });
        return CloseQuery() ? TRUE : FALSE;
    }
    case WM_SHOWWINDOW:
        // The controls' windows are made when the form is first shown, however it is shown.
        if (wParam != FALSE) ShowChildren();
        // The focus is always shown, not only once the user has pressed a key ("Keyboard
        // cues" and WM_CHANGEUISTATE documentation): most of the program is opened from the tray.
        if (wParam != FALSE) SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        // Only a show call counts; a parent being restored says so in lParam.
        if (wParam != FALSE && lParam == 0 && onShow) onShow();
        break;
    case WM_COMMAND:
        // Esc in a form without a cancel button.
        if (lParam == 0 && LOWORD(wParam) == IDCANCEL && m_modal) {
            m_modalResult = mrCancel;
            return 0;
        }
        break;
    }
    return TWindow::HandleMessage(message, wParam, lParam);
}
