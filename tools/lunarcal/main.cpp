// lunarcal: gathers the platform's facts, runs the tool's logic and writes
// what it printed. Output is collected first, so a failed command leaves
// standard output empty.

#include <exception>
#include <sstream>

#include "tools/lunarcal/lunarcal.h"
#include "tools/lunarcal/platform.h"

namespace platform = lunarcal_platform;

namespace {

// Failures of the program itself rather than of its arguments.
constexpr int kInternalError = 1;

int Run(int argc, char** argv) {
    std::string folder = platform::ExecutableFolder();
    LunarcalEnvironment env;
    env.today = platform::LocalToday();
    env.outIsTerminal = platform::OutputIsTerminal();
    env.loadHolidayFile = platform::LoadHolidayFile;
    env.loadDefaultHolidays = [&folder](HolidayTable& table) {
        for (const std::string& path : DefaultHolidayFiles(folder, platform::PathSeparator())) {
            if (table.Load(path)) {
                return true;
            }
        }
        return false;
    };

    std::ostringstream out;
    std::ostringstream err;
    int code = RunLunarcal(platform::GbkArguments(argc, argv), env, out, err);
    platform::Write(platform::Stream::kErr, err.str());
    if (!platform::Write(platform::Stream::kOut, out.str())) {
        platform::Write(platform::Stream::kErr, "lunarcal: 无法写入标准输出\n");
        return code == kLunarcalOk ? kInternalError : code;
    }
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception&) {
        platform::Write(platform::Stream::kErr, "lunarcal: 内存不足或内部错误\n");
        return kInternalError;
    }
}
