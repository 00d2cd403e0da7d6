#pragma once
// Late binding in one place: every property read and method call on an automation object
// goes through DispatchCall.
#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <vector>

#include "core/variant.h"

// The object a variant holds; raises "Invalid variant operation" when it holds none.
IDispatch* DispatchOf(const Variant& holder);

// Looks the member up by name (every call, as late binding does), then invokes it with
// locale 0. `args` are positional, in call order; they stay owned by the caller.
// Raises with WMI's description, or the system's text for the failing status.
Variant DispatchCall(IDispatch* object, const wchar_t* member, WORD flags, const std::vector<VARIANT>& args = {});

// A call without arguments that expects a result: method and property get together.
Variant GetMember(const Variant& object, const wchar_t* member);

// The same calls where a failure is an answer, not an error: none when the object holds no
// object, the member is unknown or the call fails. For reads a caller may do without (an
// adapter that will not say its SettingID) and calls that report rather than raise.
std::optional<Variant> TryGetMember(const Variant& object, const wchar_t* member);
std::optional<Variant> TryCallMethod(const Variant& object, const wchar_t* member, const std::vector<VARIANT>& args);
// A method call with positional arguments.
Variant CallMethod(const Variant& object, const wchar_t* member, const std::vector<VARIANT>& args);

// Argument forms. None of them owns anything: the referenced Variant must outlive the call.
VARIANT ArgByRef(Variant& value);
VARIANT ArgByValue(const Variant& value);
VARIANT ArgOmitted();
