#pragma once
// Owners for the automation types the WMI door passes around: VARIANT, BSTR, SAFEARRAY.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/handles.h"

namespace handle_traits {
struct Bstr {
    using Type = BSTR;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { SysFreeString(h); }
};
struct SafeArray {
    using Type = SAFEARRAY*;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { SafeArrayDestroy(h); }
};
}  // namespace handle_traits

using UniqueBstr = UniqueAny<handle_traits::Bstr>;
using UniqueSafeArray = UniqueAny<handle_traits::SafeArray>;

UniqueBstr MakeBstr(std::wstring_view text);

// A VARIANT that clears itself. Move-only; a deep copy is asked for by name (Copy).
class Variant {
public:
    Variant() noexcept { VariantInit(&m_value); }
    ~Variant() { VariantClear(&m_value); }
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant&& other) noexcept;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    static Variant FromInt(int32_t value);
    static Variant FromBool(bool value);
    static Variant FromText(std::string_view ansi);
    static Variant FromWide(std::wstring_view text);
    static Variant FromDispatch(IDispatch* object);  // takes its own reference
    static Variant Null();
    // Takes over what `value` holds; `value` is left empty.
    static Variant Attach(VARIANT& value) noexcept;

    Variant Copy() const;

    VARTYPE Type() const noexcept { return m_value.vt; }
    bool IsNull() const noexcept { return m_value.vt == VT_NULL; }
    bool IsEmpty() const noexcept { return m_value.vt == VT_EMPTY; }
    bool IsArray() const noexcept { return (m_value.vt & VT_ARRAY) != 0; }
    bool HoldsObject() const noexcept;

    const VARIANT& get() const noexcept { return m_value; }
    VARIANT& get() noexcept { return m_value; }
    VARIANT* put() noexcept;  // clears, then hands out the slot for an out-parameter
    VARIANT release() noexcept;

private:
    VARIANT m_value;
};

// One-dimensional arrays in the forms WMI's methods take.
Variant TextArray(const std::vector<std::string>& items, LONG lowerBound = 1);
Variant IntArray(const std::vector<int32_t>& items, LONG lowerBound = 1);

// Text form of a scalar value (numbers, texts, booleans as True/False); raises when the
// value has none. Null and Empty give the empty text.
std::string VariantText(const VARIANT& value);
// Integer form of a value; raises when it has none.
int32_t VariantInt(const VARIANT& value);
// The same, with none for a value without that form.
std::optional<std::string> TryVariantText(const VARIANT& value);
std::optional<int32_t> TryVariantInt(const VARIANT& value);

// Element `index` of a one-dimensional array variant, as a Variant; raises on a bad index.
Variant ArrayElement(const VARIANT& array, LONG index);
// The element's text; none for a bad index or an element without a text form.
std::optional<std::string> TryElementText(const VARIANT& array, LONG index);
// Bounds of the first dimension of an array variant.
void ArrayBounds(const VARIANT& array, LONG& lower, LONG& upper);
