#include "trevalo/tests/win32/trevalo_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TrevaloFolder::TrevaloFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = JoinPath(temp, "trevalo_tests." + std::to_string(GetCurrentProcessId()) + "." + name);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TrevaloFolder::~TrevaloFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TrevaloFolder::PathOf(const std::string& relative) const {
    return JoinPath(path_, relative);
}

void TrevaloFolder::Write(const std::string& relative, const std::string& contents) const {
    const std::string path = PathOf(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

void TrevaloFolder::AddProgram() const {
    const std::string bin = ModuleFolder(nullptr);
    for (const char* file : {"Trevalo.exe", "QvKernel32.dll", "QvXML.dll", "LynKernel32.dll", "LynHook32.dll"}) {
        CopyOrFail(JoinPath(bin, file), PathOf(file));
    }
    for (const std::string& runtime : testkit::MingwRuntimeDlls()) {
        CopyOrFail(JoinPath(bin, runtime), PathOf(runtime));
    }
}

void TrevaloFolder::AddSkin() const {
    const std::string skins = JoinPath(FolderOf(ModuleFolder(nullptr)), "art\\Trevalo\\Skins");
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(skins, error)) {
        const std::string name = entry.path().filename().string();
        CopyOrFail(JoinPath(skins, name), PathOf("Trevalo\\Skins\\" + name));
    }
    if (error) {
        ADD_FAILURE() << "cannot list " << skins;
    }
}

void TrevaloFolder::AddShippedData() const {
    const std::string data = JoinPath(SUITE_SOURCE_DIR, "trevalo/data");
    for (const char* file : {"msn.dat", "搜索引擎.ini", "名站导航.ini", "实用酷站.ini", "工具服务.ini"}) {
        CopyOrFail(JoinPath(data, file), PathOf(std::string("Trevalo\\Data\\") + file));
    }
}

std::string FileBytes(const std::string& path) {
    std::string contents;
    if (!ReadWholeFile(path, contents)) {
        contents.clear();
    }
    return contents;
}

std::string ChatLogXml(const std::initializer_list<const char*>& texts) {
    std::string xml = "<?xml version=\"1.0\"?>\r\n<Log FirstSessionID=\"1\" LastSessionID=\"1\">";
    int minute = 0;
    for (const char* text : texts) {
        xml += "<Message Date=\"2008-8-8\" Time=\"20:0" + std::to_string(minute++) +
               ":00\" SessionID=\"1\"><From><User FriendlyName=\"Alice\"/></From>"
               "<To><User FriendlyName=\"John\"/></To><Text Style=\"color:#000000\">" +
               text + "</Text></Message>";
    }
    return xml + "</Log>\r\n";
}
