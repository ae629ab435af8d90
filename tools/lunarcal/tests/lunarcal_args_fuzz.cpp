// The command line is outside input: any arguments must give a command or a
// one-line error, never a crash. The input bytes are split at NUL bytes into
// arguments; commands that parse are run too (with no holiday files), except
// long dumps, which only cost time.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "tools/lunarcal/lunarcal.h"
#include "tools/lunarcal/lunarcal_args.h"

namespace {

// Longest dump run per input; a longer one teaches the fuzzer nothing new.
constexpr int kMaxDumpDays = 400;

std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    if (size == 0) {
        args.clear();
    }
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args = SplitArguments(data, size);
    ParsedArgs parsed = ParseLunarcalArgs(args);
    if (!parsed.error.empty()) {
        if (parsed.error.find('\n') != std::string::npos) {
            __builtin_trap();
        }
        return 0;
    }
    const LunarcalCommand& command = parsed.command;
    if (command.mode == LunarcalMode::kDump && DayCount(command.last) - DayCount(command.first) > kMaxDumpDays) {
        return 0;
    }
    LunarcalEnvironment env;
    env.today = {2008, 8, 8};
    std::ostringstream out;
    std::ostringstream err;
    RunLunarcal(args, env, out, err);
    return 0;
}
