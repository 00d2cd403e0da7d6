#pragma once
// Timing for the benchmarks: medians of repeated runs, in milliseconds.
#include <functional>
#include <string>
#include <vector>

double NowMs();
// Runs `setup` (untimed) then `body` (timed) `runs` times; the median of the timed parts.
double MedianMs(int runs, const std::function<void()>& setup, const std::function<void()>& body);
double Median(std::vector<double> values);

// One row of the printed table.
void PrintRow(const std::string& what, double value, double reference, const std::string& unit = "ms");
void PrintHeading(const std::string& title);
// The same with an earlier build's figure beside this build's, each set against the reference.
void PrintTurnsRow(const std::string& what, double earlier, double value, double reference,
                   const std::string& unit = "ms");
void PrintTurnsHeading(const std::string& title);

// Ends the benchmark, failed, with a line saying why in place of the rest of the table.
[[noreturn]] void FailBenchmark(const std::string& why);
