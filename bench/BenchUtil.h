#pragma once

// A small harness: each benchmark registers itself, times its work several
// times and prints one line per figure, "name: value unit", as a median.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Entry {
    std::string group;
    std::function<void()> run;
};

inline std::vector<Entry>& Registry()
{
    static std::vector<Entry> entries;
    return entries;
}

struct Register {
    Register(std::string group, std::function<void()> run)
    {
        Registry().push_back({std::move(group), std::move(run)});
    }
};

inline void Report(const std::string& name, double value, const char* unit)
{
    std::printf("%s: %.4g %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Runs setup (untimed) and work (timed) reps times; returns the median in ms.
inline double MedianMs(int reps, const std::function<void()>& setup, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < reps; ++i) {
        if (setup)
            setup();
        const auto t0 = std::chrono::steady_clock::now();
        work();
        const auto t1 = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return Median(times);
}

} // namespace bench
