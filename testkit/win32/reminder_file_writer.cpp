// Writes a Calendar.dat of many reminders for the idle-cost benchmark and
// the tests of saving:
//   reminder_file_writer PATH COUNT [ROUNDS]
// Every reminder is registered with the timer service when the widget
// starts, but none comes due for at least a day, so no alert or missed
// reminder box changes what is measured. ROUNDS (1 unless given) saves the
// file that many times over as the widget does, 0 without end, until the
// program is killed. Exit 0 when written, 1 when a save failed, 2 on bad
// arguments.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "common/file_io.h"
#include "common/local_time.h"
#include "widget/reminders/reminder_file.h"
#include "widget/reminders/reminder_item.h"

namespace {

constexpr long kMaxCount = 1000000;
constexpr long kMaxRounds = 1000000;
constexpr Moment kDay = 86400;

// Once, interval, weekly and monthly reminders in turn, all starting from
// tomorrow on: weekly ones skip today's weekday, monthly ones today's day of
// the month, so none is due while the benchmark runs.
ReminderItem ReminderNumber(int i, Moment now) {
    const LocalTime today = ToLocalTime(now);
    ReminderItem item;
    item.id = static_cast<std::uint32_t>(i + 1);
    item.title = "提醒标题" + std::to_string(i);
    item.content = "提醒内容" + std::to_string(i);
    item.kind = KindOnce + static_cast<std::uint32_t>(i % 4);
    item.start = now + kDay * (1 + i % 365) + (i % 1440) * 60;
    switch (item.kind) {
        case KindInterval:
            item.param = 1 + i % 97;
            break;
        case KindWeekly:
            item.param = WeekdayMask::OfWeekday((today.weekday + 1 + i % 6) % 7);
            break;
        case KindMonthly:
            item.param = 1 + (today.day + i % 27) % 28;
            break;
        default:
            break;
    }
    return item;
}

// A whole decimal number from 0 to `most`, or -1.
long NumberArgument(const char* text, long most) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= 0 && value <= most ? value : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: reminder_file_writer PATH COUNT [ROUNDS]\n", stderr);
        return 2;
    }
    const long count = NumberArgument(argv[2], kMaxCount);
    const long rounds = argc == 4 ? NumberArgument(argv[3], kMaxRounds) : 1;
    if (count < 0 || rounds < 0) {
        std::fputs("reminder_file_writer: COUNT and ROUNDS must be 0 to 1000000\n", stderr);
        return 2;
    }
    const Moment now = static_cast<Moment>(std::time(nullptr));
    ReminderMap items;
    for (int i = 0; i < count; ++i) {
        ReminderItem item = ReminderNumber(i, now);
        items[item.id] = item;
    }
    std::string bytes;
    if (!EncodeReminderFile(items, bytes)) {
        std::fputs("reminder_file_writer: cannot encode the reminders\n", stderr);
        return 1;
    }
    for (unsigned long long round = 1;; ++round) {
        if (const int error = ReplaceFileAtomically(argv[1], bytes); error != 0) {
            std::fprintf(stderr, "reminder_file_writer: cannot write %s (error %d, round %llu)\n", argv[1], error,
                         round);
            return 1;
        }
        if (round == static_cast<unsigned long long>(rounds)) {
            return 0;
        }
    }
}
