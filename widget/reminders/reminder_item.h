#pragma once

// The reminder record of the calendar widget, its kinds and the values the
// editors and the calendar window's "new" commands put into it. All texts
// are GBK.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>

#include "alarmclock/alarm_item.h"
#include "common/local_time.h"
#include "widget/calendar/gregorian.h"

// How a reminder recurs; stored as an unsigned 32-bit number, so a record
// read from a file may hold a value outside this list (never registered,
// never due).
enum ReminderKind : std::uint32_t {
    KindOff = 0,       // switched off: keeps an id, has no alarm
    KindOnce = 1,      // at `start` only
    KindInterval = 2,  // every `param` minutes from `start`
    KindWeekly = 3,    // `param` is a WeekdayMask
    KindMonthly = 4,   // `param` is the day of the month (1-31)
    KindBirthday = 5,  // `param` is the days of advance notice (0-365)
    // Birthdays that come every year; `start` is 23:59:59 of the birth date
    // (its year only the year the user picked) and `param` the days of
    // advance notice, as for KindBirthday. Programs that know only the kinds
    // above never alert these.
    KindYearlyBirthday = 6,  // the same month and day every year
    KindLunarBirthday = 7,   // the same lunar month and day every lunar year
};

// Whether the kind is a birthday of any sort (5, 6 or 7): the one answer to
// "is this a birthday" for the lists, the editors, recurrence and purging.
bool IsBirthdayKind(std::uint32_t kind);
// Whether the kind is a birthday that comes every year (6 or 7).
bool IsYearlyBirthdayKind(std::uint32_t kind);

// Weekday bits of a weekly reminder's `param`: one hexadecimal digit per
// weekday, Monday in the lowest. Only the lowest bit of each digit counts.
struct WeekdayMask {
    static constexpr std::int32_t kMonday = 0x1;
    static constexpr std::int32_t kTuesday = 0x10;
    static constexpr std::int32_t kWednesday = 0x100;
    static constexpr std::int32_t kThursday = 0x1000;
    static constexpr std::int32_t kFriday = 0x10000;
    static constexpr std::int32_t kSaturday = 0x100000;
    static constexpr std::int32_t kSunday = 0x1000000;

    // The bit of a weekday numbered as the C library does (0 = Sunday ...
    // 6 = Saturday); 0 for any other number.
    static constexpr std::int32_t OfWeekday(int weekday) {
        if (weekday < 0 || weekday > 6) {
            return 0;
        }
        // Sunday is the highest digit, Monday the lowest.
        return std::int32_t{1} << (4 * ((weekday + 6) % 7));
    }
};

struct ReminderItem {
    // The first four fields are an AlarmItem's, in its order (checked below).
    std::uint32_t id = 0;     // assigned by the alarm clock; 0 = none yet
    std::string title;        // a birthday reminder's friend's name
    Moment start = 0;         // birthdays: 23:59:59 of the day
    std::int32_t repeat = 0;  // minutes, derived from the kind on registration
    std::uint32_t kind = KindOnce;
    std::int32_t param = 0;
    std::string content;
    std::string program;  // opened when due; empty = none
    std::string sound;    // played when due; empty = none

    friend bool operator==(const ReminderItem&, const ReminderItem&) = default;
};

// The alarm clock receives a reminder as the AlarmItem made of its first four
// fields; they must stay the same types in the same order.
static_assert(std::is_same_v<decltype(ReminderItem::id), decltype(alarmclock::AlarmItem::id)>);
static_assert(std::is_same_v<decltype(ReminderItem::title), decltype(alarmclock::AlarmItem::name)>);
static_assert(std::is_same_v<decltype(ReminderItem::start), decltype(alarmclock::AlarmItem::startTime)>);
static_assert(std::is_same_v<decltype(ReminderItem::repeat), decltype(alarmclock::AlarmItem::repeat)>);
static_assert(std::is_standard_layout_v<ReminderItem> && std::is_standard_layout_v<alarmclock::AlarmItem>);
static_assert(offsetof(ReminderItem, id) == offsetof(alarmclock::AlarmItem, id) &&
              offsetof(ReminderItem, title) == offsetof(alarmclock::AlarmItem, name) &&
              offsetof(ReminderItem, start) == offsetof(alarmclock::AlarmItem, startTime) &&
              offsetof(ReminderItem, repeat) == offsetof(alarmclock::AlarmItem, repeat));

// Reminders by id, ascending: the store's collection and the order of the
// records in Calendar.dat.
using ReminderMap = std::map<std::uint32_t, ReminderItem>;

// The alarm that stands for a reminder.
alarmclock::AlarmItem AlarmItemOf(const ReminderItem& item);

// Puts back the values of a freshly made record (kind 1, everything else 0
// or empty).
void ResetReminder(ReminderItem& item);

// The text of the reminder list's type column: "" for KindOff and for values
// outside the list.
const char* ReminderKindText(std::uint32_t kind);

// "关闭" for a switched-off reminder, "打开" for every other kind.
const char* ReminderStatusText(std::uint32_t kind);

// The interval editor's number and unit.
enum class IntervalUnit { kMinutes, kHours };

struct IntervalEntry {
    int number = 0;
    IntervalUnit unit = IntervalUnit::kMinutes;

    friend bool operator==(const IntervalEntry&, const IntervalEntry&) = default;
};

// How an interval `param` is shown again: whole hours when it is divisible
// by 60, else minutes.
IntervalEntry IntervalEntryOf(std::int32_t param);

// The `param` of an entry: minutes as they are, hours times 60 (saturated to
// the 32-bit range, although a valid entry is far from it).
std::int32_t IntervalParamOf(IntervalEntry entry);

// Null when the entry may be stored (1-59 minutes or 1-23 hours), else the
// message the editor shows.
const char* IntervalEntryError(IntervalEntry entry);

// The record of "新建日程提醒": a once reminder at `now` with placeholder texts.
ReminderItem NewScheduleReminder(Moment now);

// The record of "新建生日提醒": a birthday reminder at 12:00:00 of the day
// selected in the calendar, with one day of advance notice. A year outside
// 1970-2037 (beyond what a moment holds) is replaced by the current year.
ReminderItem NewBirthdayReminder(GregorianDate selectedDay, Moment now);

// Placeholder texts of the editors' empty fields.
inline constexpr char kTitlePlaceholder[] = "请输入标题";
inline constexpr char kFriendNamePlaceholder[] = "请输入好友姓名";
inline constexpr char kContentPlaceholder[] = "请输入详细内容";
