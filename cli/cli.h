#pragma once
// The `huoxing` command as a function: main only adapts argv.

#include <cstdio>
#include <string>
#include <vector>

namespace huoxing {

// args excludes the program name. Returns the exit status.
int runCli(const std::vector<std::string>& args, int inFd, int outFd, std::FILE* err);

}  // namespace huoxing
