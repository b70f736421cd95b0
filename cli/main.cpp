#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(0, _O_BINARY);
    _setmode(1, _O_BINARY);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    return huoxing::runCli(args, 0, 1, stderr);
}
