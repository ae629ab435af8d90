#pragma once

// Calendar.dat images written byte by byte from the file layout (not by the
// code under test), and the reminders they hold.

#include <cstddef>
#include <string>

#include "widget/reminders/reminder_item.h"

namespace calendar_file_bytes {

// The bytes of a literal, embedded zeros included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

inline const std::string kHeader = Bytes("\xC3\x60\x00\x00");

// Reminder 1: once, 2023-11-15 06:13:20 (1700000000), every text empty.
inline const std::string kOnceRecord = Bytes(
    "\x01\x00\x00\x00"  // id 1
    "\x00"              // title ""
    "\x00\xF1\x53\x65"  // start 1700000000
    "\x00\x00\x00\x00"  // repeat 0
    "\x01\x00\x00\x00"  // kind 1
    "\x00\x00\x00\x00"  // param 0
    "\x00\x00\x00");    // content, program, sound ""

// Reminder 2: every 30 minutes from 1700003600, a title of 300 bytes (the
// 16-bit length form), content "生日" in GBK, a program path.
inline std::string IntervalRecordBytes() {
    std::string bytes = Bytes(
        "\x02\x00\x00\x00"  // id 2
        "\xFF\x2C\x01");    // title: 300 bytes
    bytes += std::string(300, 'a');
    bytes += Bytes(
        "\x10\xFF\x53\x65"      // start 1700003600
        "\x1E\x00\x00\x00"      // repeat 30
        "\x02\x00\x00\x00"      // kind 2
        "\x1E\x00\x00\x00"      // param 30
        "\x04\xC9\xFA\xC8\xD5"  // content 生日
        "\x08"
        "C:\\a.exe"  // program
        "\x00");     // sound ""
    return bytes;
}
inline const std::string kIntervalRecord = IntervalRecordBytes();

// Reminder 3: weekly on Tuesday, a content of 65534 bytes (the 32-bit form).
inline std::string WeeklyRecordBytes() {
    std::string bytes = Bytes(
        "\x03\x00\x00\x00"                // id 3
        "\x01W"                           // title "W"
        "\x00\x00\x00\x00"                // start 0
        "\xA0\x05\x00\x00"                // repeat 1440
        "\x03\x00\x00\x00"                // kind 3
        "\x10\x00\x00\x00"                // param 0x10
        "\xFF\xFF\xFF\xFE\xFF\x00\x00");  // content: 65534 bytes
    bytes += std::string(65534, 'c');
    bytes += Bytes("\x00\x00");  // program, sound ""
    return bytes;
}
inline const std::string kWeeklyRecord = WeeklyRecordBytes();

inline ReminderItem OnceReminder() {
    ReminderItem item;
    item.id = 1;
    item.start = 1700000000;
    item.kind = KindOnce;
    return item;
}

inline ReminderItem IntervalReminder() {
    ReminderItem item;
    item.id = 2;
    item.title = std::string(300, 'a');
    item.start = 1700003600;
    item.repeat = 30;
    item.kind = KindInterval;
    item.param = 30;
    item.content = "生日";
    item.program = "C:\\a.exe";
    return item;
}

inline ReminderItem WeeklyReminder() {
    ReminderItem item;
    item.id = 3;
    item.title = "W";
    item.repeat = 1440;
    item.kind = KindWeekly;
    item.param = WeekdayMask::kTuesday;
    item.content = std::string(65534, 'c');
    return item;
}

}  // namespace calendar_file_bytes
