#pragma once
// Every message the program defines for its own windows, in one list so that no two share a
// number. Each is posted or sent only within this process, unless its comment says otherwise.
#include <windows.h>

// The notification area to the tray icon's message window (NOTIFYICONDATA's uCallbackMessage,
// NOTIFYICON_VERSION_4): the event in lParam's low word, the anchor point in wParam.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 0x400;
// To the tray icon's message window: restore the owner once its WM_SHOWWINDOW has returned
// (restoring inside it would re-enter ShowWindow). No arguments.
inline constexpr UINT kRestoreOwnerMessage = WM_APP + 1;
// To the start tip's dialog: come to the front again, its owner having been activated. No
// arguments.
inline constexpr UINT kComeForwardMessage = WM_APP + 0x40;
// To the main window: carry out the next queued command-line command. No arguments.
inline constexpr UINT kRunCommandMessage = WM_APP + 0x60;
// To the error boxes' message-only window: show the next error that waits, now that the
// callback that raised it has returned. No arguments.
inline constexpr UINT kShowWaitingErrorMessage = WM_APP + 0x70;

// To a LoopWork's message-only window (ui/loopwork.h): the background work numbered wParam has
// ended (posted by its thread), or the continuation numbered wParam may run now.
inline constexpr UINT kWorkEndedMessage = WM_APP + 0x80;
inline constexpr UINT kRunPostedMessage = WM_APP + 0x81;
// Another thread asks for a LoopWork's continuation (wParam: which).
inline constexpr UINT kRunSignalMessage = WM_APP + 0x82;

// Registered by name (RegisterWindowMessage), so a later start of the program reaches the
// running one with it: the name must never change. Posted to the main window: show yourself.
inline constexpr char kOpenConfiguratorMessageName[] = "Velmora.OpenConfigurator";
