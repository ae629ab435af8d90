#include "testkit/win32/program_launcher.h"

namespace testkit {

UniqueHandle StartProgram(const std::string& program, const std::string& arguments, const std::string& folder) {
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started)) {
        return UniqueHandle();
    }
    CloseHandle(started.hThread);
    return UniqueHandle(started.hProcess);
}

}  // namespace testkit
