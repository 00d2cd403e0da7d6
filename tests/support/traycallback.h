#pragma once
// The tray icon's callback as the notification area sends it with NOTIFYICON_VERSION_4: the
// event and the icon's id in lParam, the icon's anchor point in wParam.
#include <windows.h>
#include <shellapi.h>

#include "tray/trayicon.h"
#include "core/privatemessages.h"

inline void SendTrayEvent(const TTrayIcon& tray, UINT event, POINT anchor = {600, 760})
{
    SendMessageA(tray.MessageWindow(), kTrayCallbackMessage, MAKEWPARAM(anchor.x, anchor.y), MAKELPARAM(event, 1));
}
