#include "loader/tests/win32/fixture_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/win32/module_path.h"
#include "testkit/win32/mingw_runtime.h"

namespace {

void CopyOrFail(const std::string& from, const std::string& to) {
    std::filesystem::create_directories(std::filesystem::path(to).parent_path());
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << from << " to " << to << ": " << GetLastError();
    }
}

}  // namespace

std::string BuildBinFolder() {
    return ModuleFolder(nullptr);
}

std::string DescriptorText(const std::string& library, const std::string& name) {
    return "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<widget>\r\n  <file>" + library + "</file>\r\n  <name>" +
           name + "</name>\r\n  <version>1</version>\r\n</widget>\r\n";
}

FixtureFolder::FixtureFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = JoinPath(temp, "loader_tests." + std::to_string(GetCurrentProcessId()) + "." + name);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    SetEnvironmentVariableA("LOADER_FIXTURE_LOG", PathOf("calls.log").c_str());
}

FixtureFolder::~FixtureFolder() {
    SetEnvironmentVariableA("LOADER_FIXTURE_LOG", nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string FixtureFolder::PathOf(const std::string& relative) const {
    return JoinPath(path_, relative);
}

void FixtureFolder::Write(const std::string& relative, const std::string& contents) const {
    std::string path = PathOf(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

void FixtureFolder::AddProgram() const {
    std::string bin = BuildBinFolder();
    for (const char* file : {"tessary.exe", "QvKernel32.dll", "QvXML.dll", "LynKernel32.dll", "LynHook32.dll"}) {
        CopyOrFail(JoinPath(bin, file), PathOf(file));
    }
    for (const std::string& runtime : testkit::MingwRuntimeDlls()) {
        CopyOrFail(JoinPath(bin, runtime), PathOf(runtime));
    }
    CopyOrFail(JoinPath(FolderOf(bin), "art\\Skins\\about.png"), PathOf("Skins\\about.png"));
}

void FixtureFolder::AddSideProgram() const {
    const std::string bin = BuildBinFolder();
    CopyOrFail(JoinPath(bin, "Trevalo.exe"), PathOf("Trevalo.exe"));
    const std::string skins = JoinPath(FolderOf(bin), "art\\Trevalo\\Skins");
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(skins, error)) {
        const std::string name = entry.path().filename().string();
        CopyOrFail(JoinPath(skins, name), PathOf("Trevalo\\Skins\\" + name));
    }
    if (error) {
        ADD_FAILURE() << "cannot list " << skins;
    }
    Write("Trevalo\\Data\\msn.dat", "<html><body>[MSNHISTORY]</body></html>");
}

void FixtureFolder::AddModule(const std::string& descriptor,
                              const std::string& library,
                              const std::string& kind,
                              const std::string& folder) const {
    CopyOrFail(JoinPath(BuildBinFolder(), "fixture_widget_" + kind + ".dll"), PathOf(JoinPath(folder, library)));
    Write(JoinPath(folder, descriptor), DescriptorText(library, library));
}

void FixtureFolder::EnableModules(const std::vector<std::string>& libraries) const {
    std::string text;
    for (const std::string& library : libraries) {
        text += "[" + library + "]\r\nload=1\r\n";
    }
    Write("Data\\module.ini", text);
}

std::vector<std::string> FixtureFolder::Log() const {
    std::string contents;
    ReadWholeFile(PathOf("calls.log"), contents);
    std::vector<std::string> lines;
    std::istringstream stream(contents);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}
