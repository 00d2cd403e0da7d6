#pragma once
// Late binding in one place: every property read and method call on an automation object
// goes through DispatchCall.
#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <source_location>
#include <vector>

#include "core/error.h"
#include "core/variant.h"

// The object a variant holds; raises "Invalid variant operation" when it holds none.
IDispatch* DispatchOf(const Variant& holder);

// Looks the member up by name (every call, as late binding does), then invokes it with
// locale 0. `args` are positional, in call order; they stay owned by the caller.
// Raises with WMI's description, or the system's text for the failing status; the error records
// the member as its call and `where` as its place.
Variant DispatchCall(IDispatch* object, const wchar_t* member, WORD flags, const std::vector<VARIANT>& args = {},
                     const std::source_location& where = std::source_location::current());

// A call without arguments that expects a result: method and property get together.
Variant GetMember(const Variant& object, const wchar_t* member,
                  const std::source_location& where = std::source_location::current());

// The same calls where absence is an answer: none when the variant holds no object or the
// object has no such member (an adapter without a ServiceName). Any other failure (a broken
// connection, a refused read) raises as the raising forms do.
std::optional<Variant> TryGetMember(const Variant& object, const wchar_t* member,
                                    const std::source_location& where = std::source_location::current());
std::optional<Variant> TryCallMethod(const Variant& object, const wchar_t* member, const std::vector<VARIANT>& args,
                                     const std::source_location& where = std::source_location::current());
// Runs a read or call whose rule is that any failure is an answer, not only absence (a
// configuration listed as "Error", a configuration method's -1): none when it raises.
template <typename Call>
auto NoneOnFailure(Call call) -> std::optional<decltype(call())>
{
    try {
        return call();
    } catch (const AppError&) {
        return std::nullopt;
    }
}

// A method call with positional arguments.
Variant CallMethod(const Variant& object, const wchar_t* member, const std::vector<VARIANT>& args,
                   const std::source_location& where = std::source_location::current());

// Argument forms. None of them owns anything: the referenced Variant must outlive the call.
VARIANT ArgByRef(Variant& value);
VARIANT ArgByValue(const Variant& value);
VARIANT ArgOmitted();
