#include "cli.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "options.h"
#include "output_sink.h"
#include "text_converter.h"

#ifndef HUOXING_VERSION
#define HUOXING_VERSION "0.0.0"
#endif

namespace huoxing {
namespace {

int openInput(const std::string& name) {
#ifdef _WIN32
    return ::_open(name.c_str(), _O_RDONLY | _O_BINARY);
#else
    return ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
#endif
}

std::string displayName(const std::string& file) { return file == "-" ? "standard input" : file; }

}  // namespace

int runCli(const std::vector<std::string>& args, int inFd, int outFd, std::FILE* err) {
    ParsedArguments parsed = parseArguments(args);
    if (!parsed.ok) {
        std::fprintf(err, "huoxing: %s\n%s", parsed.error.c_str(), usageText());
        return kExitUsage;
    }
    const CliOptions& options = parsed.options;
    if (options.help) {
        std::string usage = usageText();
        writeAll(outFd, reinterpret_cast<const unsigned char*>(usage.data()), usage.size());
        return kExitOk;
    }
    if (options.version) {
        std::string version = std::string("huoxing ") + HUOXING_VERSION + "\n";
        writeAll(outFd, reinterpret_cast<const unsigned char*>(version.data()), version.size());
        return kExitOk;
    }

    std::optional<TemporaryOutput> temporary;
    if (!options.output.empty()) {
        temporary.emplace(options.output);
        if (!temporary->open()) {
            std::fprintf(err, "huoxing: cannot create %s: %s\n", options.output.c_str(), std::strerror(errno));
            return kExitCantCreate;
        }
    }
    const std::string outputName = options.output.empty() ? "standard output" : options.output;
    OutputSink sink(temporary ? temporary->fd() : outFd);
    Pipeline pipeline = pipelineFor(options);

    std::vector<std::string> files = options.files;
    if (files.empty()) files.push_back("-");
    int status = kExitOk;
    for (const std::string& file : files) {
        int fd = file == "-" ? inFd : openInput(file);
        if (fd < 0) {
            std::fprintf(err, "huoxing: cannot open %s: %s\n", file.c_str(), std::strerror(errno));
            if (status == kExitOk) status = kExitNoInput;
            continue;
        }
        TextResult result = convertText(fd, options.encoding, pipeline, sink);
        if (fd != inFd) ::close(fd);
        if (result.exitCode == kExitOk && !sink.finishText()) {
            result = {kExitIo, std::string("write error: ") + std::strerror(errno)};
        }
        if (result.exitCode != kExitOk) {
            std::size_t written = sink.dropText();
            bool writing = result.message.starts_with("write error");
            std::fprintf(err, "huoxing: %s: %s\n", writing ? outputName.c_str() : displayName(file).c_str(),
                         result.message.c_str());
            if (written > 0 && !temporary) {
                std::fprintf(err, "huoxing: %zu bytes of its output were already written\n", written);
            }
            if (status == kExitOk) status = result.exitCode;
            if (writing) break;
        }
    }

    if (temporary) {
        if (status != kExitOk) {
            std::fprintf(err, "huoxing: %s left unchanged\n", options.output.c_str());
        } else if (!temporary->commit()) {
            std::fprintf(err, "huoxing: cannot write %s: %s\n", options.output.c_str(), std::strerror(errno));
            status = kExitIo;
        }
    }
    return status;
}

}  // namespace huoxing
