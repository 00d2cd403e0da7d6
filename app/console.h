#pragma once
// What a command line start tells the console it was started from (or the file or pipe its
// output goes to): the program is a windows program, which Windows starts without a console.
#include <string>

// Writes `text` (in the ANSI code page) with a line end after it; nothing when there is no
// console and no output handle.
void WriteToConsole(const std::string& text);
