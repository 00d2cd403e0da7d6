#include "ui/monitordpi.h"

#include <utility>

#include "core/handles.h"

namespace {
UINT SystemDpi()
{
    const WindowDc screen(nullptr);
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// A function of a system DLL that older Windows lacks: null there, and the caller falls back.
template <typename Function>
Function* OptionalFunction(const char* dll, const char* name)
{
    HMODULE module = GetModuleHandleA(dll);
    if (module == nullptr) module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

namespace {
MonitorDpiSource& Source()
{
    static MonitorDpiSource source;
    return source;
}
}  // namespace

MonitorDpiSource SetMonitorDpiSource(MonitorDpiSource source) { return std::exchange(Source(), std::move(source)); }

UINT MonitorDpi(HMONITOR monitor)
{
    if (Source()) return Source()(monitor);
    // "GetDpiForMonitor function" (shcore, Windows 8.1): MDT_EFFECTIVE_DPI is the scale that
    // windows on the monitor are drawn at.
    using GetDpiForMonitorFunction = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
    static auto* const getDpiForMonitor = OptionalFunction<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor != nullptr && monitor != nullptr && SUCCEEDED(getDpiForMonitor(monitor, 0, &x, &y)) && x > 0)
        return x;
    return SystemDpi();
}

UINT PrimaryMonitorDpi() { return MonitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)); }

int SystemMetricForDpi(int index, UINT dpi)
{
    // "GetSystemMetricsForDpi function" (Windows 10, 1607); before it, the system's metric
    // scaled as Windows scales it.
    using GetSystemMetricsForDpiFunction = int WINAPI(int, UINT);
    static auto* const forDpi =
        OptionalFunction<GetSystemMetricsForDpiFunction>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi != nullptr) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}
