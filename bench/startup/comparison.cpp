#include "comparison.h"

#include <algorithm>
#include <cstdio>

namespace
{

void printSpread(const char *side, const std::vector<double> &values)
{
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    std::printf("  %-8s %14.3f %14.3f %14.3f\n", side, *least, median(values), *most);
}

} // namespace

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void print(const Comparison &comparison)
{
    std::printf("%s, %zu runs each\n", comparison.title.c_str(), comparison.floor.size());
    std::printf("  %-8s %14s %14s %14s\n", "", "min", "median", "max");
    printSpread("floor", comparison.floor);
    printSpread("program", comparison.program);

    std::vector<double> pairs;
    for (std::size_t i = 0; i < comparison.floor.size(); ++i) {
        pairs.push_back(comparison.program[i] / comparison.floor[i]);
    }
    const double pairedRatio = median(pairs);
    const auto [least, most] = std::minmax_element(pairs.begin(), pairs.end());
    std::printf("  program/floor: medians %.3f; paired %.3f (min %.3f, max %.3f); "
                "target <= %.2f %s\n\n",
                median(comparison.program) / median(comparison.floor), pairedRatio, *least, *most,
                comparison.targetRatio, pairedRatio <= comparison.targetRatio ? "met" : "MISSED");
}
