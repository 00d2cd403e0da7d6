#pragma once
// The profiles the benchmarks store: `count` static profiles named "Site 0", "Site 1", ...
#include <string>

void WriteBenchStore(const std::string& path, int count);
