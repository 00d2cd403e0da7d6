#include "benchtiming.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

double NowMs()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MedianMs(int runs, const std::function<void()>& setup, const std::function<void()>& body)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (setup) setup();
        const double start = NowMs();
        body();
        times.push_back(NowMs() - start);
    }
    return Median(times);
}

void PrintHeading(const std::string& title)
{
    std::printf("\n%s\n%-52s %12s %12s %8s\n", title.c_str(), "", "measured", "reference", "ratio");
}

void PrintRow(const std::string& what, double value, double reference, const std::string& unit)
{
    if (reference > 0) {
        std::printf("%-52s %9.2f %-2s %9.2f %-2s %7.2fx\n", what.c_str(), value, unit.c_str(), reference, unit.c_str(),
                    value / reference);
    } else {
        std::printf("%-52s %9.2f %-2s %12s %8s\n", what.c_str(), value, unit.c_str(), "", "");
    }
    std::fflush(stdout);
}

void PrintTurnsHeading(const std::string& title)
{
    std::printf("\n%s\n%-52s %12s %12s %12s %11s %9s\n", title.c_str(), "", "earlier", "this build", "reference",
                "earlier/ref", "this/ref");
}

void PrintTurnsRow(const std::string& what, double earlier, double value, double reference, const std::string& unit)
{
    std::printf("%-52s %9.2f %-2s %9.2f %-2s", what.c_str(), earlier, unit.c_str(), value, unit.c_str());
    if (reference > 0) {
        std::printf(" %9.2f %-2s %10.2fx %8.2fx\n", reference, unit.c_str(), earlier / reference, value / reference);
    } else {
        std::printf("\n");
    }
    std::fflush(stdout);
}

void FailBenchmark(const std::string& why)
{
    std::printf("FAILED: %s\n", why.c_str());
    std::fflush(stdout);
    ExitProcess(1);
}
