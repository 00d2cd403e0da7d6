#pragma once
// The "V.M.R." entry under the machine's Run key: this program's path in double quotes.
// Shared by the "Load on StartUp" check box and the elevated run that writes it for a user
// without the right to.
#include <string>

// Writes the entry with the running program's path; raises the registry's error.
void WriteAutostartEntry();
// Deletes the entry; false when it could not be deleted (absent, or no right to).
bool DeleteAutostartEntry();
// The entry's text; empty when absent or when the key cannot be opened for full access.
std::string ReadAutostartEntry();
