#pragma once
// The scale Windows gives each monitor, and the system metrics at a scale. The functions that
// answer per monitor are new in Windows 8.1 and 10; before them every monitor has the system's.
#include <windows.h>

#include <functional>

// The DPI of a monitor.
UINT MonitorDpi(HMONITOR monitor);
// The DPI of the primary monitor, whose taskbar holds the notification area.
UINT PrimaryMonitorDpi();
// A system metric (SM_CXSMICON, ...) as Windows gives it at a DPI.
int SystemMetricForDpi(int index, UINT dpi);

// For tests: monitors of other scales than the one screen here has. An empty function gives
// Windows' answers back. Returns the previous one.
using MonitorDpiSource = std::function<UINT(HMONITOR monitor)>;
MonitorDpiSource SetMonitorDpiSource(MonitorDpiSource source);
