#include "common/archive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

struct PrefixCase {
    std::size_t length;
    std::string prefix;
};

}  // namespace

TEST(Archive, TextPrefixFormsAtTheirBoundaries) {
    const PrefixCase cases[] = {
        {0, Bytes({0x00})},
        {1, Bytes({0x01})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {300, Bytes({0xFF, 0x2C, 0x01})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const PrefixCase& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(c.length, 'a');
        if (!text.empty()) {
            text.back() = 'z';  // the last byte must arrive too
        }
        ArchiveWriter writer;
        writer.WriteText(text);
        ASSERT_TRUE(writer.ok());
        EXPECT_EQ(writer.bytes(), c.prefix + text);

        ArchiveReader reader(writer.bytes());
        std::string read;
        EXPECT_TRUE(reader.ReadText(read));
        EXPECT_EQ(read, text);
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(Archive, IntegersAndTextsRoundTripAsLittleEndianBytes) {
    ArchiveWriter writer;
    writer.WriteUInt32(0x000060C3);
    writer.WriteInt32(-2);
    writer.WriteInt32(std::numeric_limits<std::int32_t>::min());
    writer.WriteUInt16(0xBEEF);
    writer.WriteInt16(-1);
    writer.WriteUInt8(0x80);
    writer.WriteText("北京");
    writer.WriteText("");
    ASSERT_TRUE(writer.ok());
    EXPECT_EQ(writer.bytes(), Bytes({0xC3, 0x60, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80,
                                     0xEF, 0xBE, 0xFF, 0xFF, 0x80, 0x04, 0xB1, 0xB1, 0xBE, 0xA9, 0x00}));

    ArchiveReader reader(writer.bytes());
    std::uint32_t header = 0;
    std::int32_t minusTwo = 0;
    std::int32_t lowest = 0;
    std::uint16_t word = 0;
    std::int16_t minusOne = 0;
    std::uint8_t byte = 0;
    std::string city;
    std::string empty = "stale";
    reader.ReadUInt32(header);
    reader.ReadInt32(minusTwo);
    reader.ReadInt32(lowest);
    reader.ReadUInt16(word);
    reader.ReadInt16(minusOne);
    reader.ReadUInt8(byte);
    reader.ReadText(city);
    reader.ReadText(empty);
    ASSERT_TRUE(reader.ok());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(header, 0x000060C3u);
    EXPECT_EQ(minusTwo, -2);
    EXPECT_EQ(lowest, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(word, 0xBEEF);
    EXPECT_EQ(minusOne, -1);
    EXPECT_EQ(byte, 0x80);
    EXPECT_EQ(city, "北京");
    EXPECT_EQ(empty, "");
}

// Other writers may use a longer prefix than needed; the 16-bit 0xFFFE is
// a different encoding's marker and never a length.
TEST(Archive, ReaderAcceptsLongPrefixFormsAndRejectsTheUnicodeMarker) {
    struct Case {
        std::string bytes;
        bool ok;
        ArchiveError error;
    };
    const Case cases[] = {
        {Bytes({0xFF, 0x03, 0x00, 'a', 'b', 'c'}), true, ArchiveError::kNone},
        {Bytes({0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c'}), true, ArchiveError::kNone},
        {Bytes({0xFF, 0xFE, 0xFF, 0x03, 'a', 'b', 'c'}), false, ArchiveError::kMalformed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        ArchiveReader reader(c.bytes);
        std::string text;
        EXPECT_EQ(reader.ReadText(text), c.ok);
        EXPECT_EQ(reader.error(), c.error);
        EXPECT_EQ(text, c.ok ? "abc" : "");
        EXPECT_EQ(reader.AtEnd(), c.ok);
    }
}

// A record like a reminder: cut after every byte, it reads every field that
// lies wholly before the cut and fails every field from the cut on.
TEST(Archive, RecordCutAtEveryByteFailsFromTheCutOn) {
    ArchiveWriter writer;
    std::vector<std::size_t> fieldEnds;
    auto endField = [&] { fieldEnds.push_back(writer.bytes().size()); };
    writer.WriteUInt32(7);
    endField();
    writer.WriteText("开会");
    endField();
    writer.WriteInt32(-5);
    endField();
    writer.WriteText(std::string(255, 'x'));  // 16-bit length form
    endField();
    writer.WriteUInt16(0x1234);
    endField();
    writer.WriteUInt8(9);
    endField();
    const std::string record = writer.bytes();

    for (std::size_t cut = 0; cut <= record.size(); ++cut) {
        SCOPED_TRACE(cut);
        ArchiveReader reader(std::string_view(record).substr(0, cut));
        std::uint32_t id = 1;
        std::string title = "stale";
        std::int32_t start = 1;
        std::string content = "stale";
        std::uint16_t word = 1;
        std::uint8_t byte = 1;
        const bool read[] = {reader.ReadUInt32(id),    reader.ReadText(title),  reader.ReadInt32(start),
                             reader.ReadText(content), reader.ReadUInt16(word), reader.ReadUInt8(byte)};
        std::size_t whole = 0;
        while (whole < fieldEnds.size() && fieldEnds[whole] <= cut) {
            ++whole;
        }
        for (std::size_t i = 0; i < fieldEnds.size(); ++i) {
            EXPECT_EQ(read[i], i < whole) << "field " << i;
        }
        EXPECT_EQ(reader.ok(), cut == record.size());
        EXPECT_EQ(reader.error(), reader.ok() ? ArchiveError::kNone : ArchiveError::kTruncated);
        EXPECT_EQ(reader.position(), whole == 0 ? 0 : fieldEnds[whole - 1]);
        // Failed reads leave nothing behind.
        EXPECT_EQ(id, whole > 0 ? 7u : 0u);
        EXPECT_EQ(title, whole > 1 ? "开会" : "");
        EXPECT_EQ(content, whole > 3 ? std::string(255, 'x') : "");
        EXPECT_EQ(byte, whole > 5 ? 9 : 0);
    }
}

// A damaged prefix claiming more bytes than there are must fail without
// allocating its length, and the reader must stay failed even though bytes
// are left.
TEST(Archive, LengthPastTheEndFailsWithoutAllocating) {
    const std::string cases[] = {
        Bytes({0x05, 'a', 'b', 'c'}),
        Bytes({0xFF, 0x10, 0x01, 'a', 'b', 'c'}),
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'}),
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 'a', 'b', 'c'}),
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        ArchiveReader reader(bytes);
        std::string text;
        EXPECT_FALSE(reader.ReadText(text));
        EXPECT_EQ(reader.error(), ArchiveError::kTruncated);
        EXPECT_EQ(text, "");
        EXPECT_LT(text.capacity(), 1024u);
        EXPECT_EQ(reader.position(), 0u);

        std::uint8_t byte = 1;
        EXPECT_FALSE(reader.ReadUInt8(byte));
        EXPECT_EQ(byte, 0);
        EXPECT_FALSE(reader.Skip(0));
    }
}

TEST(Archive, SkipStepsOverAHeaderAndStopsAtTheEnd) {
    const std::string headerOnly = Bytes({0xC3, 0x60, 0x00, 0x00});
    ArchiveReader reader(headerOnly);
    EXPECT_TRUE(reader.Skip(4));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_TRUE(reader.ok());
    EXPECT_FALSE(reader.Skip(1));
    EXPECT_EQ(reader.error(), ArchiveError::kTruncated);
}
