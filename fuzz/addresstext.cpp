// The address field's text cleaning on any text: no blank survives, everything else keeps
// its order, cleaning twice changes nothing, and only the bare dots of an untouched field
// read as empty.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "adapters/addresstext.h"

namespace {
void Check(bool condition)
{
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const std::string result = NormaliseAddressText(text);
    std::string kept;
    for (const char c : text)
        if (c != ' ') kept.push_back(c);
    Check(result == (kept == "..." ? "" : kept));
    Check(NormaliseAddressText(result) == result);
    return 0;
}
