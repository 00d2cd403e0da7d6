#include "tray/trayiconfield.h"

#include <algorithm>
#include <cstring>

void FillTextField(char* field, size_t size, std::string_view text, UINT codePage)
{
    if (size == 0) return;
    size_t length = 0;
    while (length < text.size()) {
        const size_t step = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[length])) ? 2 : 1;
        if (length + step > size - 1) break;
        length += step;
    }
    // A lead byte that ends the text has no second byte to take along.
    length = std::min(length, text.size());
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, size - length);
}
