// WeatherClient against the kit's local HTTP server: what the workers ask
// for, what reaches the cache and the status each outcome ends in, one
// worker at a time, and stopping a worker that waits on the network.
#include "widget/weather/win32/weather_client.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "testkit/win32/http_test_server.h"
#include "widget/settings/tests/scratch_folder.h"
#include "widget/weather/weather_report.h"

namespace {

using testkit::HttpResponse;
using testkit::LengthHeader;

constexpr std::int32_t kStation = 54511;
constexpr char kFirstDayPath[] = "/weather/54511_24.xml";
constexpr char kSecondDayPath[] = "/weather/54511_48.xml";
constexpr char kOldFirstDay[] = "<old 24-hour document/>";
constexpr char kOldSecondDay[] = "<old 48-hour document/>";
// Long enough for any worker here to end, short enough to fail a hang.
constexpr unsigned kEndWaitMs = 20000;
constexpr WeatherTiming kTestTiming{5000, 5000};

// `size` bytes that no shifted, repeated or dropped piece leaves the same.
std::string PatternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
    }
    return bytes;
}

// Polls until no worker runs; false when one still runs after kEndWaitMs.
bool WaitForEnd(const WeatherClient& client) {
    const ULONGLONG deadline = GetTickCount64() + kEndWaitMs;
    while (client.Busy()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// The port of a server that was there and is gone: nothing listens on it.
std::uint16_t ClosedPort() {
    testkit::HttpTestServer gone;
    return gone.Port();
}

class WeatherClientTest : public ScratchFolder {
protected:
    std::unique_ptr<WeatherClient> MakeClient(std::uint16_t port, WeatherTiming timing = kTestTiming) const {
        return std::make_unique<WeatherClient>(WeatherServiceAddress{"127.0.0.1", port}, folder_.string(), timing);
    }
    std::unique_ptr<WeatherClient> MakeClient(WeatherTiming timing = kTestTiming) const {
        return MakeClient(server_.Port(), timing);
    }

    std::string CachePath(std::int32_t hours) const { return WeatherCachePath(folder_.string(), kStation, hours); }

    void WriteOldCache() const {
        WriteFile("54511_24.xml", kOldFirstDay);
        WriteFile("54511_48.xml", kOldSecondDay);
    }

    // Downloads the station and returns the status the worker ended in.
    WeatherStatus Download(WeatherClient& client) const {
        EXPECT_TRUE(client.StartDownload(kStation));
        EXPECT_TRUE(WaitForEnd(client)) << "the download did not end";
        return client.Status();
    }

    testkit::HttpTestServer server_;
};

TEST_F(WeatherClientTest, DownloadsBothDocumentsIntoTheCacheAsSent) {
    // A zero byte and GBK text: the cache gets bytes, not text up to a zero.
    const std::string firstDay = std::string("<weather city=\"北京\">\0", 22) + "晴</weather>";
    const std::string secondDay = "<weather city=\"北京\">多云</weather>\r\n";
    server_.SetResponse(kFirstDayPath, {.body = firstDay});
    server_.SetResponse(kSecondDayPath, {.body = secondDay});
    WriteOldCache();
    auto client = MakeClient();

    EXPECT_EQ(Download(*client), WeatherStatus::kDownloaded);
    EXPECT_EQ(Contents(CachePath(24)), firstDay);
    EXPECT_EQ(Contents(CachePath(48)), secondDay);
    EXPECT_EQ(client->ErrorCode(), 0u);

    const std::vector<testkit::HttpRequest> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, kFirstDayPath);
    EXPECT_EQ(requests[1].target, kSecondDayPath);
    for (const testkit::HttpRequest& request : requests) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.Header("User-Agent"), "Weather");
        const bool noCache = request.Header("Pragma") == "no-cache" ||
                             request.Header("Cache-Control").value_or("").find("no-cache") != std::string::npos;
        EXPECT_TRUE(noCache) << "no header asks past the caches";
    }
}

TEST_F(WeatherClientTest, TakesLongBodiesWholeUpToTheLimit) {
    struct Case {
        const char* name;
        std::size_t size;
        LengthHeader lengthHeader;
        WeatherStatus status;
    };
    const Case cases[] = {
        {"many reads", 20 * 1024, LengthHeader::kActual, WeatherStatus::kDownloaded},
        {"exactly the limit", kMaxWeatherResponseBytes, LengthHeader::kActual, WeatherStatus::kDownloaded},
        {"one byte over the limit", kMaxWeatherResponseBytes + 1, LengthHeader::kActual,
         WeatherStatus::kFirstDayFailed},
        {"over the limit, no length announced", kMaxWeatherResponseBytes + 1, LengthHeader::kAbsent,
         WeatherStatus::kFirstDayFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteOldCache();
        const std::string body = PatternBytes(c.size);
        server_.SetResponse(kFirstDayPath, {.body = body, .lengthHeader = c.lengthHeader});
        server_.SetResponse(kSecondDayPath, {.body = "<second/>"});
        auto client = MakeClient();
        EXPECT_EQ(Download(*client), c.status);
        // Compared by size first: a failure does not print a megabyte.
        const std::string cached = Contents(CachePath(24));
        const std::string expected = c.status == WeatherStatus::kDownloaded ? body : kOldFirstDay;
        ASSERT_EQ(cached.size(), expected.size());
        EXPECT_TRUE(cached == expected);
    }
}

TEST_F(WeatherClientTest, AFailedDocumentLeavesItsOldCacheFile) {
    const std::string body = "<weather>whole</weather>";
    const HttpResponse good{.body = body};
    const HttpResponse serverError{.status = 500, .body = "oops"};
    // The whole length announced, the connection closed half way.
    const HttpResponse cut{.body = PatternBytes(2000), .cutAfterBodyBytes = 700};
    const HttpResponse shortOfItsLength{.body = body, .lengthHeader = LengthHeader::kGiven, .announcedLength = 100};
    const HttpResponse unusableLength{
        .body = body, .lengthHeader = LengthHeader::kAbsent, .headers = {{"Content-Length", "24 bytes"}}};
    struct Case {
        const char* name;
        HttpResponse firstDay;
        HttpResponse secondDay;
        WeatherStatus status;
        std::string firstDayFile;
        std::string secondDayFile;
    };
    const Case cases[] = {
        {"500 on the 24-hour document", serverError, good, WeatherStatus::kFirstDayFailed, kOldFirstDay, kOldSecondDay},
        {"404 on the 24-hour document",
         {.status = 404},
         good,
         WeatherStatus::kFirstDayFailed,
         kOldFirstDay,
         kOldSecondDay},
        {"24-hour body cut in the middle", cut, good, WeatherStatus::kFirstDayFailed, kOldFirstDay, kOldSecondDay},
        {"24-hour body shorter than announced", shortOfItsLength, good, WeatherStatus::kFirstDayFailed, kOldFirstDay,
         kOldSecondDay},
        {"unusable Content-Length", unusableLength, good, WeatherStatus::kFirstDayFailed, kOldFirstDay, kOldSecondDay},
        {"500 on the 48-hour document", good, serverError, WeatherStatus::kSecondDayFailed, body, kOldSecondDay},
        {"48-hour body cut in the middle", good, cut, WeatherStatus::kSecondDayFailed, body, kOldSecondDay},
        // A body that ends with the connection cannot be checked: it is taken.
        {"no Content-Length",
         good,
         {.body = body, .lengthHeader = LengthHeader::kAbsent},
         WeatherStatus::kDownloaded,
         body,
         body},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteOldCache();
        server_.SetResponse(kFirstDayPath, c.firstDay);
        server_.SetResponse(kSecondDayPath, c.secondDay);
        auto client = MakeClient();
        EXPECT_EQ(Download(*client), c.status);
        EXPECT_EQ(Contents(CachePath(24)), c.firstDayFile);
        EXPECT_EQ(Contents(CachePath(48)), c.secondDayFile);
    }
}

TEST_F(WeatherClientTest, AServerThatNeverAnswersFailsAfterTheTimeOut) {
    const HttpResponse stalls[] = {
        {.neverAnswer = true},
        {.body = "<late/>", .delayBeforeBodyMs = 30000},
    };
    for (const HttpResponse& stall : stalls) {
        server_.SetResponse(kFirstDayPath, stall);
        auto client = MakeClient({500, 500});
        EXPECT_EQ(Download(*client), WeatherStatus::kFirstDayFailed);
    }
}

// InternetOpen needs no network, so a refused connection fails the
// 24-hour document; only a session that cannot be opened gives 4.
TEST_F(WeatherClientTest, ARefusedConnectionFailsTheFirstDocumentWithItsErrorCode) {
    auto client = MakeClient(ClosedPort());
    EXPECT_EQ(Download(*client), WeatherStatus::kFirstDayFailed);
    EXPECT_NE(client->ErrorCode(), 0u);
}

TEST_F(WeatherClientTest, ACityQueryPublishesTheCityOnceAndGoesIdle) {
    server_.SetResponse("/querycity.php", {.body = "<city>杭州市</city><province>浙江省</province>"});
    auto client = MakeClient();
    ASSERT_TRUE(client->StartCityQuery());
    ASSERT_TRUE(WaitForEnd(*client));
    EXPECT_EQ(client->Status(), WeatherStatus::kIdle);
    EXPECT_EQ(client->TakeFoundCity(), "杭州");
    EXPECT_EQ(client->TakeFoundCity(), std::nullopt);

    const std::vector<testkit::HttpRequest> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/querycity.php");
    EXPECT_EQ(requests[0].Header("User-Agent"), "Weather");
}

TEST_F(WeatherClientTest, AFailedCityQueryKeepsItsErrorCode) {
    auto client = MakeClient(ClosedPort());
    ASSERT_TRUE(client->StartCityQuery());
    ASSERT_TRUE(WaitForEnd(*client));
    EXPECT_EQ(client->Status(), WeatherStatus::kCityQueryFailed);
    EXPECT_NE(client->ErrorCode(), 0u);
    EXPECT_EQ(client->TakeFoundCity(), std::nullopt);
}

TEST_F(WeatherClientTest, AnErrorAnswerFailsTheCityQuery) {
    server_.SetResponse("/querycity.php", {.status = 500, .body = "<city>杭州市</city>"});
    auto client = MakeClient();
    ASSERT_TRUE(client->StartCityQuery());
    ASSERT_TRUE(WaitForEnd(*client));
    EXPECT_EQ(client->Status(), WeatherStatus::kCityQueryFailed);
    EXPECT_EQ(client->TakeFoundCity(), std::nullopt);
}

// The window asks again every second; a query still waiting must not be
// joined by another.
TEST_F(WeatherClientTest, OnlyOneWorkerRunsAtATime) {
    server_.SetResponse("/querycity.php", {.body = "<city>上海</city>", .delayBeforeHeadersMs = 1500});
    auto client = MakeClient();
    ASSERT_TRUE(client->StartCityQuery());
    EXPECT_TRUE(client->Busy());
    EXPECT_FALSE(client->StartCityQuery());
    EXPECT_FALSE(client->StartDownload(kStation));
    ASSERT_TRUE(WaitForEnd(*client));
    EXPECT_EQ(client->Status(), WeatherStatus::kIdle);
    EXPECT_EQ(client->TakeFoundCity(), "上海");
    EXPECT_EQ(server_.Requests().size(), 1u);

    // Once it has ended the next may start.
    ASSERT_TRUE(client->StartCityQuery());
    ASSERT_TRUE(WaitForEnd(*client));
    EXPECT_EQ(server_.Requests().size(), 2u);
}

TEST_F(WeatherClientTest, AStopRequestDuringTheDownloadIsNotOverwritten) {
    server_.SetResponse(kFirstDayPath, {.body = "<first/>"});
    server_.SetResponse(kSecondDayPath, {.body = "<second/>", .delayBeforeHeadersMs = 1500});
    WriteOldCache();
    auto client = MakeClient();
    ASSERT_TRUE(client->StartDownload(kStation));
    const ULONGLONG deadline = GetTickCount64() + kEndWaitMs;
    while (server_.Requests().size() < 2 && GetTickCount64() < deadline) {
        Sleep(20);
    }
    ASSERT_EQ(server_.Requests().size(), 2u);
    EXPECT_TRUE(client->Stop(kEndWaitMs));
    EXPECT_FALSE(client->Busy());
    EXPECT_EQ(client->Status(), WeatherStatus::kStopRequested);
    EXPECT_EQ(Contents(CachePath(24)), "<first/>");
}

// Starts a download whose first request the server never answers, and
// stops it after `waitMs`: the worker is let go while it waits.
void LetAWaitingWorkerGo(testkit::HttpTestServer& server, WeatherClient& client, DWORD waitMs) {
    server.SetResponse(kFirstDayPath, {.neverAnswer = true});
    ASSERT_TRUE(client.StartDownload(kStation));
    const ULONGLONG deadline = GetTickCount64() + kEndWaitMs;
    while (server.Requests().empty() && GetTickCount64() < deadline) {
        Sleep(20);
    }
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_FALSE(client.Stop(waitMs));
    EXPECT_FALSE(client.Busy());
    EXPECT_EQ(client.Status(), WeatherStatus::kStopRequested);
}

// Closing the window gives a worker two seconds; one still waiting then is
// let go, and the client and then the server may go away under it.
TEST_F(WeatherClientTest, AWorkerLetGoOutlivesItsClientAndItsServer) {
    auto server = std::make_unique<testkit::HttpTestServer>();
    auto client = MakeClient(server->Port(), {30000, 30000});
    LetAWaitingWorkerGo(*server, *client, kWeatherStopWaitMs);
    client.reset();
    server.reset();  // ends the worker's wait
    Sleep(500);
}

// The client goes on with state of its own: the next worker runs while the
// old one still waits, and the old one's time-out, about half way through
// the next download, reaches neither its status nor its error code.
TEST_F(WeatherClientTest, AWorkerLetGoCannotReachTheNextOne) {
    auto client = MakeClient({3000, 3000});
    LetAWaitingWorkerGo(server_, *client, 500);
    server_.SetResponse(kFirstDayPath, {.body = "<first/>", .delayBeforeHeadersMs = 2000});
    server_.SetResponse(kSecondDayPath, {.body = "<second/>", .delayBeforeHeadersMs = 2000});
    EXPECT_EQ(Download(*client), WeatherStatus::kDownloaded);
    EXPECT_EQ(client->ErrorCode(), 0u);
    EXPECT_EQ(Contents(CachePath(24)), "<first/>");
    EXPECT_EQ(Contents(CachePath(48)), "<second/>");
}

}  // namespace
