#pragma once
// One Velmora per user session: a second start (autostart and a double click) would run a
// second copy whose close writes its stale profile list over the first one's changes.
#include <windows.h>

#include <functional>
#include <string>

#include "core/handles.h"

// The registered message that asks the running program to show its main window, as the
// tray's "Open Configurator" does.
UINT OpenConfiguratorMessage();

// "Local\Velmora": the logon session's own namespace, so that each session (fast user
// switching, a remote desktop) has its copy, and within one session there is one, whoever
// started it: a copy started "Run as administrator" with another account's credentials finds
// the user's own.
std::string SessionInstanceName();

// Whether this process runs as the user signed in to its session (WTSQuerySessionInformation's
// user and domain against the token's). A copy of another account's would keep its settings,
// Undo and shortcuts in that account: it says so and ends. True when Windows does not say.
bool RunsAsSessionUser();
// Replaces how RunsAsSessionUser decides (tests: Wine runs every process as one user); returns
// the previous one. An empty function restores Windows' answer.
using SessionUserQuery = std::function<bool()>;
SessionUserQuery SetSessionUserQuery(SessionUserQuery query);
// What a copy of another account says before it ends.
inline constexpr char kOtherUserText[] =
    "Velmora runs for the user signed in to Windows, and asks for administrator rights when a change needs them: "
    "start it without \"Run as\".";

class SingleInstance {
public:
    // Claims `name` for this process, or finds that another process holds it.
    explicit SingleInstance(const std::string& name);

    bool First() const noexcept { return m_first; }
    // The first program tells later starts where its main window is.
    void Publish(HWND mainWindow);
    // A later start asks the first program's main window to come to the front, waiting up to
    // `patience` milliseconds for a first that is still starting to publish it; false when no
    // window was there in time.
    bool BringFirstForward(DWORD patience = 0) const;
    // The first program's main window, waiting up to `patience` milliseconds for a first that
    // is still starting to publish it; none when no window was there in time.
    HWND RunningWindow(DWORD patience) const;

    // Creating the session's mapping (CreateFileMapping), and what it answered: the mapping
    // (none when refused) and the error code that came with it. Tests put in the answers
    // Windows gives under UAC.
    struct MappingAnswer {
        HANDLE mapping;
        DWORD error;
    };
    using CreateMappingFunction = std::function<MappingAnswer(const std::string& name, SECURITY_ATTRIBUTES* security)>;
    static CreateMappingFunction SetCreateMapping(CreateMappingFunction function);
    // How a later start passes the time between two looks for the first's window (Sleep);
    // tests count it instead.
    using PauseFunction = std::function<void(DWORD milliseconds)>;
    static PauseFunction SetPause(PauseFunction function);

private:
    // The first program's main window as far as this start can tell, or none.
    HWND FirstWindow() const;

    UniqueHandle m_mapping;
    UniqueMappedView m_view;  // the first program's main window, as a 64-bit number
    bool m_first = false;
};
