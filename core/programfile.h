#pragma once
// The running program's own file.
#include <string>

// The full path of the process's program file, however long; raises with the platform's text.
std::string ProgramFile();
