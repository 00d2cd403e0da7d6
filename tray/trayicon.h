#pragma once
// TTrayIcon: the program's icon in the notification area, its tip, its mouse events, the
// popup menu it opens, image cycling, and minimise-to-tray for its owner window.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/handles.h"
#include "core/messagefilter.h"
#include "tray/traytypes.h"
#include "ui/imagelist.h"
#include "ui/menu.h"

class TTrayIcon {
public:
    using TNotifyEvent = std::function<void(TTrayIcon& sender)>;
    using TMouseEvent = std::function<void(TTrayIcon& sender, TMouseButton button, TShiftState shift, int x, int y)>;
    using TMouseMoveEvent = std::function<void(TTrayIcon& sender, TShiftState shift, int x, int y)>;
    using TCycleEvent = std::function<void(TTrayIcon& sender, int32_t nextIndex)>;

    // `owner` is the window that holds the component (the main window), or none.
    explicit TTrayIcon(HWND owner);
    virtual ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    // Called once the owner has set the properties: adds the icon unless it was set invisible.
    void Loaded();

    virtual bool AddTrayIcon();
    virtual bool RemoveTrayIcon();
    virtual bool UpdateTrayIcon();

    IconImages* IconList() const { return m_iconList; }
    void SetIconList(IconImages* list);
    bool CycleIcons() const { return m_cycleIcons; }
    void SetCycleIcons(bool cycle);
    uint32_t CycleInterval() const { return m_cycleInterval; }
    void SetCycleInterval(uint32_t milliseconds);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show);
    HICON Icon() const { return m_icon.get(); }
    void SetIcon(HICON icon);  // copies the image
    // Whether the notification area holds the icon now. An icon that is wanted but was
    // refused is added again on a timer and when the taskbar is created.
    bool IconVisible() const { return m_iconVisible; }
    void SetIconVisible(bool visible);
    int32_t IconIndex() const { return m_iconIndex; }
    void SetIconIndex(int32_t index);
    PopupMenuSource* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(PopupMenuSource* menu) { m_popupMenu = menu; }
    bool LeftPopup() const { return m_leftPopup; }
    void SetLeftPopup(bool left) { m_leftPopup = left; }
    bool StartMinimized() const { return m_startMinimized; }
    void SetStartMinimized(bool minimized) { m_startMinimized = minimized; }
    bool MinimizeToTray() const { return m_minimizeToTray; }
    void SetMinimizeToTray(bool minimize) { m_minimizeToTray = minimize; }

    // Shows a balloon notification from the icon: `title` over `text`, each cut after a whole
    // character to the 63 and 255 bytes the record's fields hold, with the symbol of `kind`. A
    // later one replaces the one shown; an empty `text` takes it away. Windows decides whether
    // and when the user sees it: not in the user's quiet time, not when the user has silenced
    // the program's notifications. While the icon is wanted but not in the notification area
    // (the shell not ready yet, or restarting), the latest one waits and is shown as soon as the
    // icon is added: it tells of something the user did and will look for. Once the icon has
    // been removed (IconVisible set false) there is no place to show it, and it is dropped.
    // True when the notification area took it now.
    bool ShowNotification(const std::string& title, const std::string& text, NotificationKind kind);

    // The referenced image list or menu is going away: forget it.
    void Notification(const void* removed);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;
    // The scale, the displays or the taskbar changed (before the icon is added to a new
    // taskbar): the owner may give an icon of another size.
    TNotifyEvent OnDisplayChange;

    HWND MessageWindow() const;
    // The record as the next call to the notification area will send it (tests look at it).
    const NOTIFYICONDATAA& Record() const { return m_record; }

    // The notification area itself; tests put a recorder in its place.
    using NotifyAreaFunction = std::function<BOOL(DWORD message, NOTIFYICONDATAA& record)>;
    static NotifyAreaFunction SetNotifyArea(NotifyAreaFunction function);
    // The window message filter (core/messagefilter.h); tests record the calls.
    using MessageFilterFunction = ::MessageFilterFunction;
    static MessageFilterFunction SetMessageFilter(MessageFilterFunction function);

    // The timers of the message window.
    static constexpr UINT_PTR kCycleTimerId = 1;
    static constexpr UINT_PTR kAddRetryTimerId = 2;

protected:
    virtual void DoClick();
    virtual void DoDblClick();
    virtual void DoCycle(int32_t nextIndex);
    virtual void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DoMouseMove(TShiftState shift, int x, int y);
    virtual void DoMinimizeToTray();

private:
    class NotifyWindow;
    class OwnerHook;
    // The message window's messages; true when taken, `result` then being the answer.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OwnerMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void HandleMouse(UINT mouseMessage);
    // The callback's event (tray/traykeyboard.cpp): a mouse message, or the selection and
    // context menu that version 4 of the icon adds, at the anchor point in `anchor`.
    void HandleCallback(UINT event, WPARAM anchor);
    void SelectByKeyboard(POINT at);
    void SetKeyboardVersion();
    // The visible, enabled window of this program that has the keyboard, or the dialog that
    // `owner` holds open; null when there is none.
    static HWND KeyboardWindow(HWND owner);
    void OpenPopupMenu();
    void OpenPopupMenu(POINT at);
    void CycleStep();
    void RestartCycleTimer();
    bool CallNotifyArea(DWORD message);
    void FillRecord();
    void ShellRestarted();
    bool SendBalloon();

    HWND m_owner;
    std::unique_ptr<NotifyWindow> m_messageWindow;
    std::unique_ptr<OwnerHook> m_ownerHook;
    UniqueHicon m_icon;
    NOTIFYICONDATAA m_record{};

    IconImages* m_iconList = nullptr;
    PopupMenuSource* m_popupMenu = nullptr;
    bool m_cycleIcons = false;
    uint32_t m_cycleInterval = 0;
    bool m_enabled = true;
    std::string m_hint;
    bool m_showHint = false;
    bool m_iconWanted = true;    // IconVisible as last set
    bool m_iconVisible = false;  // what the notification area holds
    int32_t m_iconIndex = 0;
    bool m_leftPopup = false;
    bool m_startMinimized = false;
    bool m_minimizeToTray = false;
    bool m_clickPending = false;
    bool m_version4 = false;  // the shell took NOTIFYICON_VERSION_4: anchors come in wParam
    bool m_menuOpen = false;
    bool m_selectAnswered = false;   // a left release already did what NIN_SELECT asks
    bool m_contextAnswered = false;  // a right press already opened the menu WM_CONTEXTMENU asks for

    struct Balloon {
        std::string title;
        std::string text;
        NotificationKind kind;
    };
    std::optional<Balloon> m_balloon;  // waiting for the icon to be added
};
