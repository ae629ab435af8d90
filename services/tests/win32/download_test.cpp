// Download against the kit's local HTTP server: the success rule, what stays
// in `out`, the time-outs, and what goes on the wire.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "common/win32/handles.h"
#include "services/product_services.h"
#include "testkit/win32/http_test_server.h"

namespace {

using testkit::HttpResponse;
using testkit::LengthHeader;

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override { SetDownloadTimeouts(5000, 5000); }
    void TearDown() override { SetDownloadTimeouts(0, 0); }

    testkit::HttpTestServer server_;
};

struct Case {
    const char* name;
    HttpResponse response;
    int result;
    std::string out;
};

TEST_F(DownloadTest, SucceedsOnlyWhenTheAnnouncedBodyArrives) {
    const std::string longBody(2000, 'x');  // four pieces of 511 bytes
    const Case cases[] = {
        {"not found", {.status = 404, .body = "missing"}, 0, ""},
        {"server error", {.status = 500, .body = "oops"}, 0, ""},
        {"length and body agree", {.body = "0123456789"}, 1, "0123456789"},
        {"many pieces", {.body = longBody}, 1, longBody},
        {"no Content-Length", {.body = "0123456789", .lengthHeader = LengthHeader::kAbsent}, 0, "0123456789"},
        {"304, empty, no Content-Length", {.status = 304, .lengthHeader = LengthHeader::kAbsent}, 1, ""},
        {"longer announced than sent",
         {.body = "0123456789", .lengthHeader = LengthHeader::kGiven, .announcedLength = 20},
         0,
         "0123456789"},
        {"server stops mid-body", {.body = "0123456789ABCDEFGHIJ", .cutAfterBodyBytes = 8}, 0, "01234567"},
        {"text ends at a zero byte", {.body = std::string("ab\0cd", 5)}, 1, "ab"},
        // The zero ends only its own 511-byte piece; the next piece adds its text again.
        {"zero in the first piece", {.body = "A" + std::string(1, '\0') + std::string(509, 'B') + "CD"}, 1, "ACD"},
        {"slow body within the time-out", {.body = "late", .delayBeforeBodyMs = 300}, 1, "late"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server_.SetResponse("/file.txt", c.response);
        std::string out = "left over";
        EXPECT_EQ(Download(server_.Url("/file.txt").c_str(), out), c.result);
        EXPECT_EQ(out, c.out);
    }
}

TEST_F(DownloadTest, SendsItsUserAgentAndRevalidatesWithTheServer) {
    server_.SetResponse("/notice.htm", {.body = "v1", .headers = {{"Last-Modified", "Mon, 01 Jan 2024 00:00:00 GMT"}}});
    std::string out;
    ASSERT_EQ(Download(server_.Url("/notice.htm?id=3").c_str(), out), 1);
    EXPECT_EQ(out, "v1");
    server_.SetResponse("/notice.htm", {.body = "v2"});
    ASSERT_EQ(Download(server_.Url("/notice.htm?id=3").c_str(), out), 1);
    EXPECT_EQ(out, "v2") << "a cached copy was used without asking the server";

    std::vector<testkit::HttpRequest> requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const testkit::HttpRequest& request : requests) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.target, "/notice.htm?id=3");
        EXPECT_EQ(request.Header("User-Agent"), "ZELLUM_MSRDOWNLOAD");
    }
}

// What a Download on a thread of its own did within a time limit.
struct BoundedDownload {
    bool finished = false;
    int result = -1;
    std::string out;
};

// Runs Download on a detached thread so that a missing time-out fails the
// test instead of hanging the run; the thread ends when the server stops.
BoundedDownload DownloadWithin(const std::string& address, DWORD limitMs) {
    struct Shared {
        UniqueHandle done{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
        int result = -1;
        std::string out = "left over";
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, address] {
        shared->result = Download(address.c_str(), shared->out);
        SetEvent(shared->done.get());
    }).detach();
    BoundedDownload bounded;
    bounded.finished = WaitForSingleObject(shared->done.get(), limitMs) == WAIT_OBJECT_0;
    if (bounded.finished) {
        bounded.result = shared->result;
        bounded.out = shared->out;
    }
    return bounded;
}

TEST_F(DownloadTest, GivesUpOnASilentServerAfterTheTimeOut) {
    SetDownloadTimeouts(700, 700);
    const Case cases[] = {
        {"never answers", {.neverAnswer = true}, 0, ""},
        {"stalls before the body", {.body = "0123456789", .delayBeforeBodyMs = 20000}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server_.SetResponse("/slow", c.response);
        BoundedDownload download = DownloadWithin(server_.Url("/slow"), 5000);
        ASSERT_TRUE(download.finished) << "still waiting after 5 s";
        EXPECT_EQ(download.result, c.result);
        EXPECT_EQ(download.out, c.out);
    }
}

TEST_F(DownloadTest, UnreachableOrUnusableAddressesFail) {
    std::string closedPortUrl;
    {
        testkit::HttpTestServer gone;
        closedPortUrl = gone.Url("/file.txt");
    }
    const char* addresses[] = {closedPortUrl.c_str(),       "", "not an address", "http://", "ftp://127.0.0.1/file.txt",
                               "file:///C:/windows/win.ini"};
    for (const char* address : addresses) {
        SCOPED_TRACE(address);
        std::string out = "left over";
        EXPECT_EQ(Download(address, out), 0);
        EXPECT_EQ(out, "");
    }
    std::string out = "left over";
    EXPECT_EQ(Download(nullptr, out), 0);
    EXPECT_EQ(out, "");
    EXPECT_TRUE(server_.Requests().empty());
}

}  // namespace
