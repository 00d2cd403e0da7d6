#pragma once
// Stands in for the notification area while it lives: every call the tray icon makes is
// recorded, record and all, and accepted unless a test scripts the answer.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <vector>

#include "tray/trayicon.h"

struct NotifyCall {
    DWORD message;
    NOTIFYICONDATAA record;
};

class RecordingNotifyArea {
public:
    RecordingNotifyArea()
    {
        m_previous = TTrayIcon::SetNotifyArea([this](DWORD message, NOTIFYICONDATAA& record) {
            // The icon's version is set apart from what it shows: tests of the icon's calls
            // read them without it.
            if (message == NIM_SETVERSION) {
                versions.push_back(record);
                return versionAnswer;
            }
            calls.push_back({message, record});
            return answer ? answer(message) : TRUE;
        });
    }
    ~RecordingNotifyArea() { TTrayIcon::SetNotifyArea(m_previous); }
    RecordingNotifyArea(const RecordingNotifyArea&) = delete;
    RecordingNotifyArea& operator=(const RecordingNotifyArea&) = delete;

    int Count(DWORD message) const
    {
        int n = 0;
        for (const auto& call : calls)
            n += call.message == message;
        return n;
    }
    std::vector<NotifyCall> calls;
    std::vector<NOTIFYICONDATAA> versions;
    BOOL versionAnswer = TRUE;
    std::function<BOOL(DWORD message)> answer;

private:
    TTrayIcon::NotifyAreaFunction m_previous;
};
