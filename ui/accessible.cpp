// Screen readers find a field's name in the static text before it; our labels have no window,
// so the control answers with the name itself. Dynamic annotation (IAccPropServices::
// SetHwndPropStr with PROPID_ACC_NAME) would be the lighter way, but Wine's oleacc only stubs
// it; so WM_GETOBJECT(OBJID_CLIENT) is answered with Windows' standard object for the control
// wrapped to give the name, as Microsoft's "Handling the WM_GETOBJECT Message" and
// "CreateStdAccessibleObject function" pages describe, returned through LresultFromObject.
#include "ui/accessible.h"

#include <commctrl.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <cstring>
#include <string>

#include "core/systemdll.h"
#include "ui/labelfor.h"
#include "ui/subclass.h"
#include "ui/window.h"

using Microsoft::WRL::ComPtr;

namespace {
std::wstring Wide(const std::string& text)
{
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    if (!wide.empty()) wide.pop_back();
    return wide;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// Windows' object for the control with every answer its own but the control's name.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(ComPtr<IAccessible> standard, std::wstring name, long role)
        : m_standard(std::move(standard)), m_name(std::move(name)), m_role(role)
    {
    }

    // IUnknown: the other interfaces of the standard object (IEnumVARIANT, IOleWindow) are its.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return m_standard->QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = InterlockedDecrement(&m_references);
        if (left == 0) delete this;
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return m_standard->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        return m_standard->GetIDsOfNames(riid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override
    {
        return m_standard->Invoke(id, riid, locale, flags, params, result, exception, argument);
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!IsSelf(child)) return m_standard->get_accName(child, name);
        if (name == nullptr) return E_INVALIDARG;
        *name = SysAllocString(m_name.c_str());
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_standard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return m_standard->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return m_standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (m_role == 0 || !IsSelf(child)) return m_standard->get_accRole(child, role);
        if (role == nullptr) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = m_role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return m_standard->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override
    {
        return m_standard->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_standard->put_accValue(child, value);
    }

private:
    ~NamedAccessible() = default;

    ComPtr<IAccessible> m_standard;
    std::wstring m_name;
    long m_role;
    LONG m_references = 1;
};

std::string ClassOf(HWND window)
{
    char name[64]{};
    GetClassNameA(window, name, sizeof name);
    return name;
}
}  // namespace

bool NamedByLabel(HWND window)
{
    const std::string className = ClassOf(window);
    if (_stricmp(className.c_str(), "Button") == 0) {
        // Check boxes and radio buttons without a caption of their own.
        const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
        return type != BS_GROUPBOX && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON &&
               GetWindowTextLengthA(window) == 0;
    }
    for (const char* named : {"Edit", "ComboBox", WC_LISTVIEWA, HOTKEY_CLASSA, "VelmoraValueList"}) {
        if (_stricmp(className.c_str(), named) == 0) return true;
    }
    return false;
}

bool AnswerAccessibleObject(HWND window, const std::string& name, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            long role)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || name.empty()) return false;
    using CreateFunction = decltype(CreateStdAccessibleObject);
    using LresultFunction = decltype(LresultFromObject);
    auto* create = SystemFunction<CreateFunction>("oleacc.dll", "CreateStdAccessibleObject");
    auto* lresult = SystemFunction<LresultFunction>("oleacc.dll", "LresultFromObject");
    ComPtr<IAccessible> standard;
    if (FAILED(
            create(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(standard.GetAddressOf())))) {
        return false;
    }
    ComPtr<IAccessible> named;
    named.Attach(new NamedAccessible(std::move(standard), Wide(name), role));
    result = lresult(__uuidof(IAccessible), wParam, named.Get());
    return result > 0;
}

bool AnswerAccessibleObject(const TWinControl& control, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !NamedByLabel(control.Handle())) return false;
    return AnswerAccessibleObject(control.Handle(), LabelNameFor(control), wParam, lParam, result);
}

namespace {
// The field of a combo box is a window of Windows' own inside the combo box; when it has the
// focus, a screen reader asks it for the name.
class FieldName : public TSubclass {
public:
    FieldName(HWND field, const TWinControl& named) : TSubclass(field), m_named(named) {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = 0;
        if (message == WM_GETOBJECT &&
            AnswerAccessibleObject(Window(), LabelNameFor(m_named), wParam, lParam, result)) {
            return result;
        }
        return TSubclass::HandleMessage(message, wParam, lParam);
    }

private:
    const TWinControl& m_named;
};
}  // namespace

std::unique_ptr<TSubclass> NameFieldAfter(HWND field, const TWinControl& named)
{
    if (field == nullptr) return nullptr;
    return std::make_unique<FieldName>(field, named);
}
