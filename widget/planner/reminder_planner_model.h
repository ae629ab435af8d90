#pragma once

// What the reminder planner "－日程提醒表" lists and offers: each day cell's
// holidays, birthdays and reminders in their colours, the heading, the
// detail list's rows, which reminders the delete commands take, when the
// list's menu entries are enabled, and the month navigation with its today
// view. No windows.h: the dialog shows what this decides. Texts are GBK.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "widget/calendar/gregorian.h"
#include "widget/calendar/holiday_table.h"
#include "widget/planner/planner_grid.h"
#include "widget/reminders/reminder_item.h"

inline constexpr PlannerRgb kPlannerHolidayColour{255, 148, 132};
inline constexpr PlannerRgb kPlannerBirthdayColour{34, 105, 114};
inline constexpr PlannerRgb kPlannerScheduleColour{179, 242, 138};

// A day's entries in their order: its holidays, the birthdays (of every
// kind) with an occurrence whose notice window holds it (by id), then the
// reminders starting on it (by start, then id). A repeating reminder is
// listed on its start day only.
std::vector<PlannerItem> CellItems(const ReminderMap& reminders, const HolidayTable& holidays, GregorianDate day);
// Puts CellItems into every cell of the grid.
void FillCellItems(PlannerGrid& grid, const ReminderMap& reminders, const HolidayTable& holidays);

// "%Y年%m月%d日 星期X" of the selected day; "%04d年%02d月" of the displayed
// month when no day is selected.
std::string PlannerHeading(std::optional<GregorianDate> selected, int year, int month);

// The detail list's columns: 提醒时间, 类型, 标题, 内容, 状态, 运行程序, 播放声音.
inline constexpr int kDetailColumnCount = 7;
struct DetailColumn {
    const char* title;
    int width;  // initial width in pixels
};
inline constexpr std::array<DetailColumn, kDetailColumnCount> kDetailColumns = {{
    {"提醒时间", 120},
    {"类型", 100},
    {"标题", 200},
    {"内容", 200},
    {"状态", 80},
    {"运行程序", 100},
    {"播放声音", 100},
}};

// Row images of the detail list, by index in its image list.
inline constexpr int kDetailBirthdayImage = 1;
inline constexpr int kDetailScheduleImage = 2;

struct DetailRow {
    std::uint32_t reminderId = 0;
    bool birthday = false;
    int image = kDetailScheduleImage;
    std::array<std::string, kDetailColumnCount> texts;

    friend bool operator==(const DetailRow&, const DetailRow&) = default;
};

// A reminder's row in the cell of `cellDay`: start "%Y-%m-%d %H:%M" (a
// birthday's occurrence for that day "%Y-%m-%d"), kind text ("每年生日" and
// "农历生日" for the yearly birthdays; empty for a switched-off reminder and
// an unknown kind), title, content, "打开" or "关闭", program, sound.
DetailRow DetailRowOf(const ReminderItem& item, GregorianDate cellDay);
// The rows of a cell's birthdays and reminders, in the cell's order; a
// reminder no longer in the store is left out.
std::vector<DetailRow> DetailRows(const PlannerCell& cell, const ReminderMap& reminders);

// The reminders "delete day" takes: every birthday and reminder of the cell.
std::vector<std::uint32_t> DayReminderIds(const PlannerCell& cell);
// The reminders "delete month" takes: those listed in the cells of the
// displayed month only, each once.
std::vector<std::uint32_t> MonthReminderIds(const PlannerGrid& grid);

// "真的要删除当天（%d年%d月%d日）所有的日程提醒吗？"
std::string DeleteDayQuestion(GregorianDate day);
// "真的要删除本月（%d年%d月）所有的日程提醒吗？"
std::string DeleteMonthQuestion(int year, int month);

// Which entries of the detail list's context menu are enabled.
struct DetailMenuState {
    bool deleteRow = false;    // a row is selected
    bool deleteDay = false;    // the selected day lists a birthday or reminder
    bool deleteMonth = false;  // the selected day lies in the displayed month

    friend bool operator==(const DetailMenuState&, const DetailMenuState&) = default;
};
DetailMenuState DetailMenuStateOf(bool rowSelected, const PlannerCell* selectedCell, int year, int month);

// The planner's displayed month and selected day, the month steps and the
// today view that remembers them.
class PlannerNavigation {
public:
    // Shows today's month with today selected.
    explicit PlannerNavigation(GregorianDate today);

    int year() const { return year_; }
    int month() const { return month_; }
    std::optional<GregorianDate> selected() const { return selected_; }
    // Whether the today view (the grid's week mode) is shown; the month
    // steps are then refused.
    bool inTodayView() const { return remembered_.has_value(); }
    // The date the grid shows: today in the today view; else the selected
    // day when it lies in the displayed month, else the 1st of the month.
    GregorianDate ShownDate() const;
    // The grid mode for ShownDate: 1025 in the today view, else 1026.
    int GridMode() const { return inTodayView() ? kPlannerWeekMode : kPlannerMonthMode; }

    // The next or previous month, wrapping the year; today becomes the
    // selected day in the current month, no day is selected in any other.
    // False (and nothing changes) in the today view and at the first and
    // last shown months (kFirstShownYear, kLastShownYear).
    bool NextMonth(GregorianDate today);
    bool PreviousMonth(GregorianDate today);
    // Selects a day of the grid (in the today view too).
    void Select(GregorianDate day);

    // Remembers month and selection and shows today; false when already there.
    bool ShowToday(GregorianDate today);
    // Restores what ShowToday remembered; false when not in the today view.
    bool Back();

private:
    struct Remembered {
        int year;
        int month;
        std::optional<GregorianDate> selected;
        GregorianDate today;  // the day the today view shows
    };
    bool StepMonth(int step, GregorianDate today);

    int year_;
    int month_;
    std::optional<GregorianDate> selected_;
    std::optional<Remembered> remembered_;
};

// The record of "new schedule reminder" in the planner: the editor's new
// schedule record on `day` at the current time of day of `now`; at `now`
// itself for a day no moment holds.
ReminderItem NewScheduleReminderOn(GregorianDate day, Moment now);

// The planner window in the desktop's work area: four fifths of its width
// and height, centred.
PlannerRect PlannerWindowRect(const PlannerRect& workArea);
