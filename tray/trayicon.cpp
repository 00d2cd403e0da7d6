#include "tray/trayicon.h"

#include <cstring>
#include <utility>

#include "core/check.h"
#include "core/errorbox.h"
#include "core/messagefilter.h"
#include "tray/trayiconfield.h"
#include "ui/callbackerrors.h"
#include "ui/keyboardowner.h"
#include "core/privatemessages.h"
#include "ui/subclass.h"
#include "ui/window.h"

// The window the notification area talks to. A hidden top-level window rather than a
// message-only one: only top-level windows hear the TaskbarCreated broadcast.
class TTrayIcon::NotifyWindow : public TWindow {
public:
    explicit NotifyWindow(TTrayIcon& tray) : m_tray(tray)
    {
        WindowClass windowClass;
        windowClass.name = "VelmoraTrayMessageWindow";
        Init(windowClass, WS_POPUP, 0, nullptr, {}, "");
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = 0;
        if (m_tray.HandleMessage(message, wParam, lParam, result)) return result;
        return TWindow::HandleMessage(message, wParam, lParam);
    }

private:
    TTrayIcon& m_tray;
};

// Watches the owner window for its minimising and showing.
class TTrayIcon::OwnerHook : public TSubclass {
public:
    OwnerHook(HWND owner, TTrayIcon& tray) : TSubclass(owner), m_tray(tray) {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // The owner's own handling goes on whatever became of ours.
        Guarded(
            [&] {
                m_tray.OwnerMessage(message, wParam, lParam);
                return true;
            },
            false, ErrorShownFor(message, lParam));
        return TSubclass::HandleMessage(message, wParam, lParam);
    }

private:
    TTrayIcon& m_tray;
};

namespace {
// How often an icon the notification area refused is offered again.
constexpr UINT kAddRetryInterval = 2000;
// Explorer broadcasts this when the taskbar is (re)created, e.g. after the shell crashed;
// every icon must then be added again.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

TTrayIcon::NotifyAreaFunction& NotifyArea()
{
    static TTrayIcon::NotifyAreaFunction function = [](DWORD message, NOTIFYICONDATAA& record) {
        return Shell_NotifyIconA(message, &record);
    };
    return function;
}

TShiftState KeyboardShift()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

// The balloon's dwInfoFlags (NOTIFYICONDATA documentation): the kind's stock symbol, and
// NIIF_RESPECT_QUIET_TIME, which "Notifications and the Notification Area" asks every program to
// set so that nothing pops up in a user's first hour on a new account or after an upgrade. No
// NIIF_NOSOUND: whether a notification sounds is the user's setting, not ours.
DWORD InfoFlags(NotificationKind kind)
{
    const DWORD symbol = kind == NotificationKind::Error     ? NIIF_ERROR
                         : kind == NotificationKind::Warning ? NIIF_WARNING
                                                             : NIIF_INFO;
    return symbol | NIIF_RESPECT_QUIET_TIME;
}

POINT CursorPos()
{
    POINT point{0, 0};
    GetCursorPos(&point);
    return point;
}

}  // namespace

TTrayIcon::NotifyAreaFunction TTrayIcon::SetNotifyArea(NotifyAreaFunction function)
{
    return std::exchange(NotifyArea(), std::move(function));
}

TTrayIcon::MessageFilterFunction TTrayIcon::SetMessageFilter(MessageFilterFunction function)
{
    return ::SetMessageFilter(std::move(function));
}

TTrayIcon::TTrayIcon(HWND owner) : m_owner(owner)
{
    if (owner != nullptr && !IsWindow(owner)) RaiseError("Invalid class typecast");
    TaskbarCreatedMessage();
    m_messageWindow = std::make_unique<NotifyWindow>(*this);
    // Explorer runs below an elevated Velmora: without this it never hears that the taskbar
    // came back.
    LetMessageThrough(m_messageWindow->Handle(), TaskbarCreatedMessage());

    m_record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_record.hWnd = m_messageWindow->Handle();
    m_record.uID = 1;
    m_record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_record.uCallbackMessage = kTrayCallbackMessage;

    if (m_owner != nullptr) m_ownerHook = std::make_unique<OwnerHook>(m_owner, *this);
}

TTrayIcon::~TTrayIcon()
{
    RemoveTrayIcon();
    KillTimer(m_messageWindow->Handle(), kCycleTimerId);
    m_messageWindow.reset();
    m_ownerHook.reset();
}

HWND TTrayIcon::MessageWindow() const { return m_messageWindow->Handle(); }

void TTrayIcon::Loaded()
{
    if (m_startMinimized && m_owner != nullptr) ShowWindow(m_owner, SW_HIDE);
    UpdateTrayIcon();
    SetIconVisible(m_iconWanted);
}

void TTrayIcon::FillRecord()
{
    m_record.hIcon = m_icon.get();
    std::memset(m_record.szTip, 0, 64);
    if (!m_hint.empty() && m_showHint) {
        // The first form of the record has a 64-byte tip: 63 characters and the zero.
        std::memcpy(m_record.szTip, m_hint.data(), m_hint.size() < 63 ? m_hint.size() : 63);
    }
}

bool TTrayIcon::CallNotifyArea(DWORD message)
{
    FillRecord();
    return NotifyArea() && NotifyArea()(message, m_record) != FALSE;
}

bool TTrayIcon::AddTrayIcon()
{
    m_iconWanted = true;
    // Started from the Run key at logon, we may come before the notification area is ready,
    // or find the shell so busy that the call times out while the icon still arrives
    // (Shell_NotifyIcon's documentation: calls at start-up often fail, and their error codes
    // cannot be trusted). An icon the shell holds answers NIM_MODIFY; one it does not hold is
    // offered again until it does.
    m_iconVisible = CallNotifyArea(NIM_ADD) || CallNotifyArea(NIM_MODIFY);
    if (m_iconVisible) {
        KillTimer(m_messageWindow->Handle(), kAddRetryTimerId);
        SetKeyboardVersion();
        if (m_balloon) SendBalloon();
    } else {
        SetTimer(m_messageWindow->Handle(), kAddRetryTimerId, kAddRetryInterval, nullptr);
    }
    return m_iconVisible;
}

bool TTrayIcon::RemoveTrayIcon()
{
    m_iconWanted = false;
    KillTimer(m_messageWindow->Handle(), kAddRetryTimerId);
    m_iconVisible = false;
    m_balloon.reset();
    return CallNotifyArea(NIM_DELETE);
}

void TTrayIcon::ShellRestarted()
{
    // A new taskbar holds none of the old icons.
    m_iconVisible = false;
    if (m_iconWanted) AddTrayIcon();
}

bool TTrayIcon::UpdateTrayIcon() { return CallNotifyArea(NIM_MODIFY); }

bool TTrayIcon::ShowNotification(const std::string& title, const std::string& text, NotificationKind kind)
{
    if (!m_iconWanted) return false;
    m_balloon = Balloon{title, text, kind};
    return m_iconVisible && SendBalloon();
}

bool TTrayIcon::SendBalloon()
{
    const Balloon shown = std::move(*m_balloon);
    m_balloon.reset();
    // A record of its own, in the later form that has the balloon's fields (NOTIFYICONDATA:
    // the full size, as Windows Vista and later take it), naming the icon and NIF_INFO alone, so
    // the icon's image, tip and callback stay as the first-form calls set them.
    NOTIFYICONDATAA balloon{};
    balloon.cbSize = sizeof balloon;
    balloon.hWnd = m_record.hWnd;
    balloon.uID = m_record.uID;
    balloon.uFlags = NIF_INFO;
    FillTextField(balloon.szInfoTitle, shown.title);
    FillTextField(balloon.szInfo, shown.text);
    // uTimeout is ignored since Windows Vista: the system's accessibility settings decide.
    balloon.uTimeout = 0;
    balloon.dwInfoFlags = InfoFlags(shown.kind);
    return NotifyArea() && NotifyArea()(NIM_MODIFY, balloon) != FALSE;
}

void TTrayIcon::SetKeyboardVersion()
{
    // A record of its own in the later form, which has uVersion; the icon's other calls keep
    // the first form.
    NOTIFYICONDATAA version{};
    version.cbSize = sizeof version;
    version.hWnd = m_record.hWnd;
    version.uID = m_record.uID;
    version.uVersion = NOTIFYICON_VERSION_4;
    // An older shell keeps the first layout: the event in lParam, the icon's id in wParam.
    m_version4 = NotifyArea() && NotifyArea()(NIM_SETVERSION, version) != FALSE;
}

void TTrayIcon::SetIconList(IconImages* list)
{
    m_iconList = list;
    SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool cycle)
{
    m_cycleIcons = cycle;
    if (cycle) SetIconIndex(0);
    RestartCycleTimer();
}

void TTrayIcon::SetCycleInterval(uint32_t milliseconds)
{
    m_cycleInterval = milliseconds;
    RestartCycleTimer();
}

void TTrayIcon::RestartCycleTimer()
{
    KillTimer(m_messageWindow->Handle(), kCycleTimerId);
    // An interval of 0 means the timer never fires.
    if (m_cycleIcons && m_cycleInterval > 0)
        SetTimer(m_messageWindow->Handle(), kCycleTimerId, m_cycleInterval, nullptr);
}

void TTrayIcon::SetHint(const std::string& hint)
{
    m_hint = hint;
    UpdateTrayIcon();
}

void TTrayIcon::SetShowHint(bool show)
{
    m_showHint = show;
    UpdateTrayIcon();
}

void TTrayIcon::SetIcon(HICON icon)
{
    m_icon.reset(icon != nullptr ? CopyIcon(icon) : nullptr);
    UpdateTrayIcon();
}

void TTrayIcon::SetIconVisible(bool visible)
{
    if (visible) {
        AddTrayIcon();
    } else {
        RemoveTrayIcon();
    }
}

void TTrayIcon::SetIconIndex(int32_t index)
{
    if (m_iconList != nullptr) {
        const int count = m_iconList->Count();
        m_iconIndex = index < count ? index : count - 1;
        if (m_iconIndex >= 0) m_icon.reset(m_iconList->MakeIcon(m_iconIndex));
    } else {
        m_iconIndex = 0;
    }
    UpdateTrayIcon();
}

void TTrayIcon::Notification(const void* removed)
{
    if (removed == nullptr) return;
    if (removed == static_cast<const void*>(m_iconList)) SetIconList(nullptr);
    if (removed == static_cast<const void*>(m_popupMenu)) m_popupMenu = nullptr;
}

void TTrayIcon::CycleStep()
{
    if (m_iconList == nullptr) return;
    const int count = m_iconList->Count();
    if (m_iconIndex >= 0 && m_iconIndex < count) m_icon.reset(m_iconList->MakeIcon(m_iconIndex));
    const int32_t next = m_iconIndex < count - 1 ? m_iconIndex + 1 : 0;
    DoCycle(next);
    UpdateTrayIcon();
    m_iconIndex = next;  // the field, not the setter: the image shown now stays until the next tick
}

void TTrayIcon::DoClick()
{
    if (OnClick) OnClick(*this);
}

void TTrayIcon::DoDblClick()
{
    if (OnDblClick) OnDblClick(*this);
}

void TTrayIcon::DoCycle(int32_t nextIndex)
{
    if (OnCycle) OnCycle(*this, nextIndex);
}

void TTrayIcon::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TTrayIcon::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TTrayIcon::DoMouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TTrayIcon::DoMinimizeToTray()
{
    // The main window owns the taskbar button here: hiding it takes the button away.
    if (m_owner != nullptr) ShowWindow(m_owner, SW_HIDE);
    SetIconVisible(true);
}

void TTrayIcon::OpenPopupMenu() { OpenPopupMenu(CursorPos()); }

void TTrayIcon::OpenPopupMenu(POINT point)
{
    // A second NIN_KEYSELECT (Enter sends two) reaches us from inside the menu's own loop.
    if (m_popupMenu == nullptr || !m_popupMenu->AutoPopup() || m_menuOpen) return;
    MSG pending;
    while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) {
        if (pending.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(pending.wParam));
            break;
        }
        TranslateMessage(&pending);
        DispatchMessageA(&pending);
    }
    if (m_popupMenu == nullptr) return;
    const HWND active = KeyboardWindow(m_owner);
    // Without the owner in the foreground the menu would not close when the user clicks
    // elsewhere (TrackPopupMenu documentation, Remarks).
    if (m_owner != nullptr) SetForegroundWindow(m_owner);
    m_menuOpen = true;
    ScopeExit closed([this] { m_menuOpen = false; });
    m_popupMenu->PopupAt(point.x, point.y);
    if (m_owner != nullptr) PostMessageA(m_owner, WM_NULL, 0, 0);
    // The owner may be hidden and disabled under a dialog of its own: what the user types next
    // goes to the window that had the keyboard before the menu.
    if (active != nullptr && active != m_owner && IsWindow(active)) SetForegroundWindow(active);
}

void TTrayIcon::HandleMouse(UINT mouseMessage)
{
    if (!m_enabled) return;
    const POINT at = CursorPos();
    const TShiftState keys = KeyboardShift();
    switch (mouseMessage) {
    case WM_MOUSEMOVE: DoMouseMove(keys, at.x, at.y); break;
    case WM_LBUTTONDOWN:
        DoMouseDown(TMouseButton::mbLeft, keys | ssLeft, at.x, at.y);
        m_clickPending = true;
        if (m_leftPopup) OpenPopupMenu();
        break;
    case WM_LBUTTONUP:
        if (m_clickPending) {
            m_clickPending = false;
            DoClick();
        }
        DoMouseUp(TMouseButton::mbLeft, keys | ssLeft, at.x, at.y);
        break;
    case WM_LBUTTONDBLCLK:
        DoDblClick();
        if (m_popupMenu != nullptr && m_popupMenu->AutoPopup() && !m_leftPopup) m_popupMenu->ClickDefaultItem();
        break;
    case WM_RBUTTONDOWN:
        DoMouseDown(TMouseButton::mbRight, keys | ssRight, at.x, at.y);
        OpenPopupMenu();
        break;
    case WM_RBUTTONUP: DoMouseUp(TMouseButton::mbRight, keys | ssRight, at.x, at.y); break;
    case WM_MBUTTONDOWN: DoMouseDown(TMouseButton::mbMiddle, keys | ssMiddle, at.x, at.y); break;
    case WM_MBUTTONUP: DoMouseUp(TMouseButton::mbMiddle, keys | ssMiddle, at.x, at.y); break;
    default: break;
    }
}

bool TTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case kTrayCallbackMessage: HandleCallback(LOWORD(lParam), wParam); return true;
    case WM_QUERYENDSESSION: result = 1; return true;  // never hold up a log-off or shutdown
    case WM_TIMER:
        if (wParam == kCycleTimerId) CycleStep();
        if (wParam == kAddRetryTimerId && m_iconWanted && !m_iconVisible) AddTrayIcon();
        return true;
    case kRestoreOwnerMessage:
        if (m_owner != nullptr) {
            if (IsIconic(m_owner)) ShowWindow(m_owner, SW_RESTORE);
            // Under a dialog of its own the owner is disabled: the dialog takes the keyboard.
            HWND keyboard = KeyboardOwnerOf(m_owner);
            SetForegroundWindow(keyboard != nullptr ? keyboard : m_owner);
        }
        return true;
    }
    if (message == TaskbarCreatedMessage() || message == WM_DPICHANGED || message == WM_DISPLAYCHANGE ||
        message == WM_SETTINGCHANGE) {
        if (OnDisplayChange) OnDisplayChange(*this);
    }
    if (message == TaskbarCreatedMessage()) ShellRestarted();
    return false;
}

void TTrayIcon::OwnerMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED && m_minimizeToTray) DoMinimizeToTray();
    if (message == WM_SHOWWINDOW && wParam != FALSE && lParam == 0) {
        PostMessageA(m_messageWindow->Handle(), kRestoreOwnerMessage, 0, 0);
    }
}
