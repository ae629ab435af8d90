#include "services/download_body.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace services {
namespace {

using namespace std::string_view_literals;

TEST(DownloadBody, OnlyOkAndNotModifiedAreTaken) {
    for (unsigned long status : {200ul, 304ul}) {
        EXPECT_TRUE(IsAcceptedDownloadStatus(status)) << status;
    }
    for (unsigned long status : {0ul, 100ul, 201ul, 204ul, 206ul, 301ul, 302ul, 400ul, 404ul, 500ul, 4294967295ul}) {
        EXPECT_FALSE(IsAcceptedDownloadStatus(status)) << status;
    }
}

TEST(DownloadBody, ContentLengthIsAPlainDecimalNumber) {
    const std::pair<std::string_view, std::optional<std::uint64_t>> cases[] = {
        {"10", 10},
        {"0", 0},
        {"007", 7},
        {" 42\t", 42},
        {"18446744073709551615", 18446744073709551615u},
        {"18446744073709551616", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"-1", std::nullopt},
        {"+5", std::nullopt},
        {"0x10", std::nullopt},
        {"1e3", std::nullopt},
        {"10, 10", std::nullopt},
        {"1 0", std::nullopt},
        {"5\0"sv, std::nullopt},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ParseContentLength(value), expected) << "[" << value << "]";
    }
}

struct BodyCase {
    const char* name;
    std::optional<std::string_view> contentLength;
    std::vector<std::string_view> pieces;
    bool breaksOff;
    bool complete;
    std::string_view text;
};

TEST(DownloadBody, WholeOnlyWhenTheAnnouncedBytesArrived) {
    const BodyCase cases[] = {
        {"announced and sent", "10", {"0123456789"}, false, true, "0123456789"},
        {"in several pieces", "10", {"01234", "5678", "9"}, false, true, "0123456789"},
        {"no header, a body", std::nullopt, {"0123456789"}, false, false, "0123456789"},
        {"no header, no body", std::nullopt, {}, false, true, ""},
        {"announced empty", "0", {}, false, true, ""},
        {"shorter than announced", "20", {"0123456789"}, false, false, "0123456789"},
        {"longer than announced", "5", {"0123456789"}, false, false, "0123456789"},
        {"read broke off", "10", {"01234"}, true, false, "01234"},
        {"broke off at the end", "5", {"01234"}, true, false, "01234"},
        {"malformed length, no body", "abc", {}, false, false, ""},
        {"bytes after a zero count", "5", {"ab\0cd"sv}, false, true, "ab"},
        {"each piece ends at its own zero", "7", {"ab\0cd"sv, "ef"}, false, true, "abef"},
        {"a piece of zeros adds nothing", "3", {"x", "\0\0"sv}, false, true, "x"},
    };
    for (const BodyCase& c : cases) {
        SCOPED_TRACE(c.name);
        DownloadBody body(c.contentLength);
        std::string out;
        for (std::string_view piece : c.pieces) {
            body.Append(piece, out);
        }
        if (c.breaksOff) {
            body.BreakOff();
        }
        EXPECT_EQ(body.Complete(), c.complete);
        EXPECT_EQ(out, c.text);
    }
}

TEST(DownloadBody, AppendsToWhatIsAlreadyThere) {
    DownloadBody body("3");
    std::string out = "prefix:";
    body.Append("abc", out);
    EXPECT_EQ(out, "prefix:abc");
    EXPECT_EQ(body.BytesRead(), 3u);
    EXPECT_TRUE(body.Complete());
}

}  // namespace
}  // namespace services
