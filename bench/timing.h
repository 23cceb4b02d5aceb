// Medians and ratios of repeated measurements, and the figure lines every benchmark prints:
// "figure <name> <value> <unit>", which scripts/bench.sh gathers into its table.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline double Median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

inline void PrintFigure(const std::string& name, double value, const std::string& unit) {
    std::printf("figure %s %.3f %s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

}  // namespace bench
