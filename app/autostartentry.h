#pragma once
// The "V.M.R." entry under the machine's Run key: this program's path in double quotes.
// Shared by the "Load on StartUp" check box and the elevated run that writes it for a user
// without the right to.
#include <string>

// Writes the entry with the running program's path; raises the registry's error.
void WriteAutostartEntry();
// Deletes the entry; false when it could not be deleted (absent, or no right to).
bool DeleteAutostartEntry();
// The entry as it stands; `text` is empty when it is absent. `writable` says whether this
// process may change the key: a standard user reads the entry but may not rewrite it.
struct AutostartEntry {
    std::string text;
    bool writable = false;
};
AutostartEntry ReadAutostartEntry();
