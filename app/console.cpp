#include "app/console.h"

#include <windows.h>

#include "core/handles.h"
#include "core/text.h"

void WriteToConsole(const std::string& text)
{
    std::string lines;
    for (char c : text + "\n") {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    // Output sent to a file or a pipe: the handle came with the start.
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (output != nullptr && output != INVALID_HANDLE_VALUE && !GetConsoleMode(output, &mode)) {
        DWORD written = 0;
        WriteFile(output, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
        return;
    }
    // The console of the program that started this one ("AttachConsole function"), written in
    // UTF-16 so titles outside ASCII read as they are, whatever the console's code page.
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
    UniqueFile console(CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (console) {
        const std::wstring wide = WideFromAnsi(lines);
        DWORD written = 0;
        WriteConsoleW(console.get(), wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }
    if (attached) FreeConsole();
}
