#pragma once

#include <string>
#include <vector>

// One measure taken in pairs of runs, the floor's and the program's, index for index.
struct Comparison {
    std::string title;
    std::vector<double> floor;
    std::vector<double> program;
    // The largest program/floor ratio that meets the target.
    double targetRatio;
};

double median(std::vector<double> values);
// Min, median and max of each side, the ratio of the medians and of the pairs, and the target.
void print(const Comparison &comparison);
