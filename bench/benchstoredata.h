#pragma once
// The profiles the benchmarks store: `count` static profiles named "Site 0", "Site 1", ...
#include <string>

// With `located`, each says where it belongs: a Wi-Fi network of its own name.
void WriteBenchStore(const std::string& path, int count, bool located = false);
