#include "support/screenreader.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <cstring>

#include "core/systemdll.h"
#include "core/variant.h"
#include "ui/accessible.h"

std::string AccessibleName(HWND window)
{
    auto* fromWindow = SystemFunction<decltype(AccessibleObjectFromWindow)>("oleacc.dll", "AccessibleObjectFromWindow");
    Microsoft::WRL::ComPtr<IAccessible> object;
    if (FAILED(fromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                          reinterpret_cast<void**>(object.GetAddressOf())))) {
        return "<no object>";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    UniqueBstr name;
    if (FAILED(object->get_accName(self, name.put())) || !name) return "<no name>";
    const int length = WideCharToMultiByte(CP_ACP, 0, name.get(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, name.get(), -1, text.data(), length, nullptr, nullptr);
    return text;
}

namespace {
BOOL CALLBACK AddInput(HWND window, LPARAM lParam)
{
    char className[64]{};
    GetClassNameA(window, className, sizeof className);
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    const bool button = _stricmp(className, "Button") == 0 && type != BS_GROUPBOX;
    if (IsWindowVisible(window) && (button || NamedByLabel(window)))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> InputControls(HWND window)
{
    std::vector<HWND> controls;
    EnumChildWindows(window, &AddInput, reinterpret_cast<LPARAM>(&controls));
    return controls;
}
