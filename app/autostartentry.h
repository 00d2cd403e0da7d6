#pragma once
// The "V.M.R." entry under the machine's Run key: this program's path in double quotes.
// Shared by the "Load on StartUp" check box and the elevated run that writes it for a user
// without the right to.
#include <windows.h>

#include <string>

// Writes the entry with the running program's path; raises the registry's error.
void WriteAutostartEntry();
// Deletes the entry: ERROR_SUCCESS, or why it could not be deleted (ERROR_FILE_NOT_FOUND when
// absent, ERROR_ACCESS_DENIED without the right to).
LSTATUS DeleteAutostartEntry();
// The entry as it stands; `text` is empty when it is absent. `writable` says whether this
// process may change the key: a standard user reads the entry but may not rewrite it.
struct AutostartEntry {
    std::string text;
    bool writable = false;
};
AutostartEntry ReadAutostartEntry();
