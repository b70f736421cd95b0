#pragma once
// Runs a program as a real process with the given standard input and
// collects its output, error output and exit status.

#include <string>
#include <vector>

namespace huoxing::testing {

struct ProcessResult {
    int status = -1;  // exit status, or 128 + signal number
    std::string out;
    std::string err;
};

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& input = "");

}  // namespace huoxing::testing
