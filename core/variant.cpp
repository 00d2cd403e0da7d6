#include "core/variant.h"

#include <utility>

#include "core/check.h"
#include "core/text.h"

UniqueBstr MakeBstr(std::wstring_view text)
{
    UniqueBstr bstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    if (!bstr) RaiseError(SystemMessageText(static_cast<DWORD>(E_OUTOFMEMORY)));
    return bstr;
}

Variant::Variant(Variant&& other) noexcept : m_value(other.m_value) { VariantInit(&other.m_value); }

Variant& Variant::operator=(Variant&& other) noexcept
{
    if (this != &other) {
        VariantClear(&m_value);
        m_value = other.m_value;
        VariantInit(&other.m_value);
    }
    return *this;
}

Variant Variant::FromInt(int32_t value)
{
    Variant v;
    v.m_value.vt = VT_I4;
    v.m_value.lVal = value;
    return v;
}

Variant Variant::FromBool(bool value)
{
    Variant v;
    v.m_value.vt = VT_BOOL;
    v.m_value.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::FromText(std::string_view ansi) { return FromWide(WideFromAnsi(ansi)); }

Variant Variant::FromWide(std::wstring_view text)
{
    Variant v;
    v.m_value.bstrVal = MakeBstr(text).release();
    v.m_value.vt = VT_BSTR;
    return v;
}

Variant Variant::FromDispatch(IDispatch* object)
{
    Variant v;
    v.m_value.vt = VT_DISPATCH;
    v.m_value.pdispVal = object;
    if (object != nullptr) object->AddRef();
    return v;
}

Variant Variant::Null()
{
    Variant v;
    v.m_value.vt = VT_NULL;
    return v;
}

Variant Variant::Attach(VARIANT& value) noexcept
{
    Variant v;
    v.m_value = value;
    VariantInit(&value);
    return v;
}

Variant Variant::Copy() const
{
    Variant v;
    CheckHr(VariantCopy(&v.m_value, const_cast<VARIANT*>(&m_value)), "VariantCopy");
    return v;
}

bool Variant::HoldsObject() const noexcept
{
    return (m_value.vt == VT_DISPATCH && m_value.pdispVal != nullptr) ||
           (m_value.vt == VT_UNKNOWN && m_value.punkVal != nullptr);
}

VARIANT* Variant::put() noexcept
{
    VariantClear(&m_value);
    return &m_value;
}

VARIANT Variant::release() noexcept
{
    VARIANT out = m_value;
    VariantInit(&m_value);
    return out;
}

namespace {
template <typename Fill>
Variant MakeArray(VARTYPE type, LONG lowerBound, size_t count, Fill fill)
{
    SAFEARRAYBOUND bound{static_cast<ULONG>(count), lowerBound};
    UniqueSafeArray array(SafeArrayCreate(type, 1, &bound));
    if (!array) RaiseError(SystemMessageText(static_cast<DWORD>(E_OUTOFMEMORY)));
    for (size_t i = 0; i < count; ++i) {
        LONG index = lowerBound + static_cast<LONG>(i);
        fill(array.get(), index, i);
    }
    Variant v;
    v.put()->parray = array.release();
    v.get().vt = static_cast<VARTYPE>(VT_ARRAY | type);
    return v;
}
}  // namespace

Variant TextArray(const std::vector<std::string>& items, LONG lowerBound)
{
    return MakeArray(VT_BSTR, lowerBound, items.size(), [&](SAFEARRAY* array, LONG index, size_t i) {
        UniqueBstr text = MakeBstr(WideFromAnsi(items[i]));
        CheckHr(SafeArrayPutElement(array, &index, text.get()), "SafeArrayPutElement");  // copies the string
    });
}

Variant IntArray(const std::vector<int32_t>& items, LONG lowerBound)
{
    return MakeArray(VT_I4, lowerBound, items.size(), [&](SAFEARRAY* array, LONG index, size_t i) {
        LONG value = items[i];
        CheckHr(SafeArrayPutElement(array, &index, &value), "SafeArrayPutElement");
    });
}

namespace {
// The conversions, with the status of the one that fails.
HRESULT ToText(const VARIANT& value, std::string& text)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY) {
        text.clear();
        return S_OK;
    }
    if (value.vt == VT_BSTR) {
        text = AnsiFromWide(value.bstrVal ? value.bstrVal : L"");
        return S_OK;
    }
    Variant converted;
    // ALPHABOOL: booleans read "True"/"False", whatever the user's language.
    const HRESULT hr = VariantChangeTypeEx(converted.put(), const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT,
                                           VARIANT_ALPHABOOL, VT_BSTR);
    if (SUCCEEDED(hr)) text = AnsiFromWide(converted.get().bstrVal ? converted.get().bstrVal : L"");
    return hr;
}

HRESULT ToInt(const VARIANT& value, int32_t& number)
{
    Variant converted;
    const HRESULT hr = VariantChangeType(converted.put(), const_cast<VARIANT*>(&value), 0, VT_I4);
    if (SUCCEEDED(hr)) number = converted.get().lVal;
    return hr;
}
}  // namespace

std::string VariantText(const VARIANT& value)
{
    std::string text;
    CheckHr(ToText(value, text), "VariantChangeTypeEx");
    return text;
}

int32_t VariantInt(const VARIANT& value)
{
    int32_t number = 0;
    CheckHr(ToInt(value, number), "VariantChangeType");
    return number;
}

std::optional<std::string> TryVariantText(const VARIANT& value)
{
    std::string text;
    if (FAILED(ToText(value, text))) return std::nullopt;
    return text;
}

std::optional<int32_t> TryVariantInt(const VARIANT& value)
{
    int32_t number = 0;
    if (FAILED(ToInt(value, number))) return std::nullopt;
    return number;
}

static SAFEARRAY* ArrayOf(const VARIANT& array)
{
    if ((array.vt & VT_ARRAY) == 0) RaiseError(SystemMessageText(static_cast<DWORD>(DISP_E_TYPEMISMATCH)));
    SAFEARRAY* sa = (array.vt & VT_BYREF) ? *array.pparray : array.parray;
    if (sa == nullptr) RaiseError(SystemMessageText(static_cast<DWORD>(E_POINTER)));
    return sa;
}

void ArrayBounds(const VARIANT& array, LONG& lower, LONG& upper)
{
    SAFEARRAY* sa = ArrayOf(array);
    CheckHr(SafeArrayGetLBound(sa, 1, &lower), "SafeArrayGetLBound");
    CheckHr(SafeArrayGetUBound(sa, 1, &upper), "SafeArrayGetUBound");
}

namespace {
HRESULT GetElement(const VARIANT& array, LONG index, Variant& element)
{
    SAFEARRAY* sa = ArrayOf(array);
    const VARTYPE type = static_cast<VARTYPE>(array.vt & VT_TYPEMASK);
    if (type == VT_VARIANT) return SafeArrayGetElement(sa, &index, element.put());
    // SafeArrayGetElement copies BSTRs and AddRefs interfaces, so the variant owns what it gets.
    VARIANT& slot = *element.put();
    const HRESULT hr = SafeArrayGetElement(sa, &index, &slot.lVal);
    if (SUCCEEDED(hr)) slot.vt = type;
    return hr;
}
}  // namespace

Variant ArrayElement(const VARIANT& array, LONG index)
{
    Variant element;
    CheckHr(GetElement(array, index, element), "SafeArrayGetElement");
    return element;
}

std::optional<std::string> TryElementText(const VARIANT& array, LONG index)
{
    Variant element;
    if ((array.vt & VT_ARRAY) == 0) return std::nullopt;
    const SAFEARRAY* sa = (array.vt & VT_BYREF) ? *array.pparray : array.parray;
    if (sa == nullptr || FAILED(GetElement(array, index, element))) return std::nullopt;
    return TryVariantText(element.get());
}
