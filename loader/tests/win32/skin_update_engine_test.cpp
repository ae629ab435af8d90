// The skin update engine against a local HTTP server, with a stand-in
// package program as the published package: the list and its new skins, a
// package downloaded, run, waited for, recorded and deleted, refused
// addresses, failed transfers, a package that never ends, and an engine
// destroyed while its worker runs.

#include "loader/win32/skin_update_engine.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <optional>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/win32/handles.h"
#include "loader/tests/loader_test_support.h"
#include "testkit/win32/http_test_server.h"
#include "testkit/win32/stopwatch.h"
#include "toolkit/lyn_ini.h"

namespace {

constexpr UINT kDoneMessage = WM_APP + 17;
constexpr char kListPath[] = "/software/download/skins/tessary/skins.htm";
// Long enough for a download and the package's sleep under a busy Wine.
constexpr unsigned int kJobWaitMs = 30000;

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderOf(std::string(path, length));
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Ends the processes started from a file of that name: a package the test
// had run and the engine gave up on.
void EndPackages(const std::string& fileName) {
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    ASSERT_TRUE(snapshot);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (lstrcmpiA(FileNameOf(entry.szExeFile).c_str(), fileName.c_str()) == 0) {
            UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
            if (process) {
                TerminateProcess(process.get(), 0);
                WaitForSingleObject(process.get(), 5000);
            }
        }
    }
}

class SkinUpdateEngineTest : public LoaderTestFolder {
protected:
    void SetUp() override {
        LoaderTestFolder::SetUp();
        CreateDirectoryA(PathOf("Modules").c_str(), nullptr);
        CreateDirectoryA(PathOf("Data").c_str(), nullptr);
        page_.reset(CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
        ASSERT_TRUE(page_);
        ASSERT_TRUE(ReadWholeFile(JoinPath(ProgramFolder(), "fixture_skin_package.exe"), package_));
    }

    SkinUpdateSetup Setup(unsigned long packageWaitMs = 20000) const {
        SkinUpdateSetup setup;
        setup.listAddress = server_.Url(kListPath);
        setup.listFile = PathOf("skins_alarm.ini");
        setup.cataloguePath = PathOf("Data/skins.ini");
        setup.section = "CALENDAR";
        setup.modulesFolder = PathOf("Modules");
        setup.packageWaitMs = packageWaitMs;
        setup.page = page_.get();
        setup.doneMessage = kDoneMessage;
        return setup;
    }

    // The job the page was told of, or nullopt when none came in time.
    std::optional<SkinJob> WaitForDone(unsigned int timeoutMs = kJobWaitMs) const {
        testkit::Stopwatch watch;
        do {
            MSG message;
            if (PeekMessageA(&message, page_.get(), kDoneMessage, kDoneMessage, PM_REMOVE)) {
                return static_cast<SkinJob>(message.wParam);
            }
            Sleep(20);  // not a pump: it would dispatch the message looked for
        } while (watch.Milliseconds() < timeoutMs);
        return std::nullopt;
    }

    std::string CatalogueValue(const std::string& name) const {
        CLynIni catalogue;
        catalogue.SetFileName(PathOf("Data/skins.ini"));
        return catalogue.GetValue("CALENDAR", name);
    }

    bool Requested(std::string_view target) const {
        for (const testkit::HttpRequest& request : server_.Requests()) {
            if (request.target == target) {
                return true;
            }
        }
        return false;
    }

    testkit::HttpTestServer server_;
    UniqueWindow page_;
    std::string package_;  // the stand-in package program's bytes
};

TEST_F(SkinUpdateEngineTest, TheListOffersOnlySkinsNotInstalled) {
    WriteFile("Data/skins.ini", "[CALENDAR]\r\nA=" + server_.Url("/skins/a.rar") + "\r\n");
    server_.SetResponse(kListPath, {.body = "[CALENDAR]\r\nA=" + server_.Url("/skins/a.rar") +
                                            "\r\nB=" + server_.Url("/skins/b.rar") + "\r\n"});
    SkinUpdateEngine engine(Setup());
    EXPECT_EQ(engine.Status(), "正在获取服务器最新皮肤列表...");
    ASSERT_TRUE(engine.StartListLoad());
    ASSERT_EQ(WaitForDone(), SkinJob::kListLoaded);

    EXPECT_FALSE(engine.Busy());
    EXPECT_EQ(engine.Status(), "共有1组最新皮肤，要更新请点击“立即更新”");
    EXPECT_EQ(engine.Progress(), 100);
    std::vector<PendingSkin> skins = engine.TakeNewSkins();
    ASSERT_EQ(skins.size(), 1u);
    EXPECT_EQ(skins[0].name, "B");
    EXPECT_EQ(skins[0].address, server_.Url("/skins/b.rar"));
    EXPECT_TRUE(skins[0].chosen);
    EXPECT_TRUE(engine.TakeNewSkins().empty());

    std::vector<testkit::HttpRequest> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Header("User-Agent"), "updateskins");
}

TEST_F(SkinUpdateEngineTest, AListThatCannotBeHadSaysUpToDate) {
    testkit::HttpTestServer closed;
    const std::string closedAddress = closed.Url(kListPath);
    closed.Stop();
    const std::string body = "[CALENDAR]\r\nB=" + server_.Url("/skins/b.rar") + "\r\n";
    struct Case {
        const char* what;
        testkit::HttpResponse response;
        bool closedPort;
    } const cases[] = {
        {"server error", {.status = 500, .body = body}, false},
        {"not found", {.status = 404, .body = body}, false},
        {"cut in the middle", {.body = body, .cutAfterBodyBytes = 10}, false},
        {"closed port", {}, true},
    };
    for (const Case& c : cases) {
        WriteFile("skins_alarm.ini", body);  // an old list must not be taken for the new one
        server_.SetResponse(kListPath, c.response);
        SkinUpdateSetup setup = Setup();
        if (c.closedPort) {
            setup.listAddress = closedAddress;
        }
        SkinUpdateEngine engine(setup);
        ASSERT_TRUE(engine.StartListLoad()) << c.what;
        ASSERT_EQ(WaitForDone(), SkinJob::kListLoaded) << c.what;
        EXPECT_EQ(engine.Status(), "您本机的皮肤已是最新，不需要更新！") << c.what;
        EXPECT_TRUE(engine.TakeNewSkins().empty()) << c.what;
        EXPECT_FALSE(Exists(PathOf("skins_alarm.ini"))) << c.what;
    }
}

TEST_F(SkinUpdateEngineTest, AChosenSkinIsDownloadedRunWaitedForRecordedAndDeleted) {
    server_.SetResponse("/skins/skin_blue.rar", {.body = package_});
    server_.SetResponse("/skins/skin_red.rar", {.body = package_});
    const std::string blue = server_.Url("/skins/skin_blue.rar");
    SkinUpdateEngine engine(Setup());
    ASSERT_TRUE(engine.StartUpdate({{true, "蓝色", blue}, {false, "红色", server_.Url("/skins/skin_red.rar")}}));
    EXPECT_FALSE(engine.StartListLoad());  // one job at a time
    ASSERT_EQ(WaitForDone(), SkinJob::kUpdateDone);

    EXPECT_EQ(engine.Status(), "更新完毕！您现在可以使用新的皮肤了！");
    EXPECT_EQ(engine.Progress(), 100);
    // The package made its folder after a sleep: seen now, the engine waited.
    EXPECT_TRUE(Exists(PathOf("Modules/Calendar/Skinsskin_blue/mainback.png")));
    EXPECT_FALSE(Exists(PathOf("Modules/skin_blue.exe")));
    EXPECT_FALSE(Exists(PathOf("Modules/skin_blue.rar")));
    EXPECT_EQ(CatalogueValue("蓝色"), blue);
    EXPECT_EQ(CatalogueValue("红色"), "");
    EXPECT_FALSE(Requested("/skins/skin_red.rar"));
}

TEST_F(SkinUpdateEngineTest, ForeignOrBadlyNamedPackagesAreNeitherFetchedNorRun) {
    server_.SetDefaultResponse({.body = package_});
    const std::string port = std::to_string(server_.Port());
    const std::vector<PendingSkin> skins = {
        {true, "elsewhere", "http://127.0.0.2:" + port + "/skins/elsewhere.rar"},
        {true, "drive", server_.Url("/skins/c:drive.rar")},
        {true, "above", server_.Url("/../above.rar")},
        {true, "folder", server_.Url("/skins/")},
        {true, "secure", "https://127.0.0.1:" + port + "/skins/secure.rar"},
    };
    SkinUpdateEngine engine(Setup());
    ASSERT_TRUE(engine.StartUpdate(skins));
    ASSERT_EQ(WaitForDone(), SkinJob::kUpdateDone);

    EXPECT_EQ(engine.Status(), "更新完毕！您现在可以使用新的皮肤了！");
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_FALSE(Exists(PathOf("Modules/Calendar")));
    for (const PendingSkin& skin : skins) {
        EXPECT_EQ(CatalogueValue(skin.name), "") << skin.address;
    }
}

TEST_F(SkinUpdateEngineTest, AFailedPackageTransferLeavesNoFileAndIsNotRecorded) {
    struct Case {
        const char* what;
        testkit::HttpResponse response;
    } const cases[] = {
        {"cut in the middle", {.body = package_, .cutAfterBodyBytes = package_.size() / 2}},
        {"shorter than announced",
         {.body = package_, .lengthHeader = testkit::LengthHeader::kGiven, .announcedLength = package_.size() + 100}},
        {"refused", {.status = 403, .body = package_}},
    };
    for (const Case& c : cases) {
        server_.SetResponse("/skins/skin_cut.rar", c.response);
        SkinUpdateEngine engine(Setup());
        ASSERT_TRUE(engine.StartUpdate({{true, "cut", server_.Url("/skins/skin_cut.rar")}})) << c.what;
        ASSERT_EQ(WaitForDone(), SkinJob::kUpdateDone) << c.what;
        EXPECT_FALSE(Exists(PathOf("Modules/skin_cut.exe"))) << c.what;
        EXPECT_FALSE(Exists(PathOf("Modules/Calendar"))) << c.what;
        EXPECT_EQ(CatalogueValue("cut"), "") << c.what;
    }
}

TEST_F(SkinUpdateEngineTest, WithoutContentLengthTheProgressStaysAsItWas) {
    server_.SetResponse("/skins/skin_plain.rar", {.body = package_, .lengthHeader = testkit::LengthHeader::kAbsent});
    SkinUpdateEngine engine(Setup());
    ASSERT_TRUE(engine.StartUpdate({{true, "plain", server_.Url("/skins/skin_plain.rar")}}));
    ASSERT_EQ(WaitForDone(), SkinJob::kUpdateDone);
    EXPECT_EQ(engine.Progress(), 0);
    EXPECT_TRUE(Exists(PathOf("Modules/Calendar/Skinsskin_plain/mainback.png")));
    EXPECT_EQ(CatalogueValue("plain"), server_.Url("/skins/skin_plain.rar"));
}

TEST_F(SkinUpdateEngineTest, APackageThatNeverEndsIsGivenUpAfterTheWait) {
    server_.SetResponse("/skins/hang_skin.rar", {.body = package_});
    SkinUpdateEngine engine(Setup(2000));
    testkit::Stopwatch watch;
    ASSERT_TRUE(engine.StartUpdate({{true, "hang", server_.Url("/skins/hang_skin.rar")}}));
    std::optional<SkinJob> done = WaitForDone();
    const long long elapsed = watch.Milliseconds();
    EndPackages("hang_skin.exe");
    ASSERT_EQ(done, SkinJob::kUpdateDone);
    EXPECT_GE(elapsed, 2000);
    EXPECT_LT(elapsed, 15000);
    EXPECT_EQ(engine.Status(), "更新完毕！您现在可以使用新的皮肤了！");
}

TEST_F(SkinUpdateEngineTest, DestroyingTheEngineLetsARunningJobGo) {
    server_.SetResponse(kListPath, {.body = "[CALENDAR]\r\nB=x\r\n", .delayBeforeHeadersMs = 1500});
    server_.SetResponse("/skins/skin_late.rar", {.body = package_, .delayBeforeBodyMs = 1500});
    testkit::Stopwatch watch;
    {
        SkinUpdateEngine listEngine(Setup());
        ASSERT_TRUE(listEngine.StartListLoad());
        EXPECT_TRUE(listEngine.Busy());
        EXPECT_FALSE(listEngine.StartUpdate({}));
        SkinUpdateEngine updateEngine(Setup());
        ASSERT_TRUE(updateEngine.StartUpdate({{true, "late", server_.Url("/skins/skin_late.rar")}}));
    }
    EXPECT_LT(watch.Milliseconds(), 1000);
    // Both workers finish meanwhile and must tell nobody.
    EXPECT_EQ(WaitForDone(8000), std::nullopt);
    EXPECT_TRUE(Exists(PathOf("Modules/Calendar/Skinsskin_late/mainback.png")));
    EXPECT_EQ(CatalogueValue("late"), server_.Url("/skins/skin_late.rar"));
}

}  // namespace
