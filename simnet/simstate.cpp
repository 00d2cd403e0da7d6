#include "simnet/simstate.h"

std::wstring LowerCase(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return lower;
}

bool SameName(std::wstring_view a, std::wstring_view b) { return LowerCase(a) == LowerCase(b); }

ScriptKey MakeScriptKey(int32_t index, std::wstring_view name) { return {index, LowerCase(name)}; }
