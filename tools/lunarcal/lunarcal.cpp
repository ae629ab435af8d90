#include "tools/lunarcal/lunarcal.h"

#include <optional>

#include "tools/lunarcal/lunarcal_args.h"
#include "tools/lunarcal/lunarcal_views.h"
#include "tools/lunarcal/terminal_text.h"

namespace {

constexpr const char* kHelp =
    "用法: lunarcal [--holidays 文件] [年份 [月份]]\n"
    "      lunarcal [--holidays 文件] --day YYYY-MM-DD\n"
    "      lunarcal --dump YYYY-MM-DD YYYY-MM-DD\n"
    "\n"
    "显示公历月份及每天的农历日期、节气和节日；日期后的 * 表示节日，\n"
    "节日名称列在月份下面。\n"
    "\n"
    "  (无参数)            本月，今天在终端中反白显示\n"
    "  年份 月份           指定月份，例如 lunarcal 2008 8\n"
    "  年份                全年十二个月\n"
    "  --day 日期          某一天的星期、农历、节气和节日说明\n"
    "  --dump 起始 结束    每天一行：日期、农历年、农历月（闰月为负）、\n"
    "                      农历日、节气序号（0 为无），以制表符分隔\n"
    "  --holidays 文件     使用另一个节日文件（默认为随程序提供的 holiday.dat）\n"
    "  --help, -h          显示本帮助\n"
    "\n"
    "日期范围为 1901-01-01 至 2050-12-31。参数错误时退出码为 2。\n";

void Fail(std::ostream& err, const std::string& message) {
    err << "lunarcal: " << message << '\n';
}

// The holidays the command shows; nothing when it failed (after one line to
// `err`). A missing shipped file only costs the holidays.
std::optional<HolidayTable> LoadHolidays(const LunarcalCommand& command,
                                         const LunarcalEnvironment& env,
                                         std::ostream& err) {
    HolidayTable table;
    if (!command.holidayFile.empty()) {
        if (!env.loadHolidayFile || !env.loadHolidayFile(command.holidayFile, table)) {
            Fail(err, "无法读取节日文件 " + QuotedArgument(command.holidayFile));
            return std::nullopt;
        }
    } else if (!env.loadDefaultHolidays || !env.loadDefaultHolidays(table)) {
        err << "lunarcal: 警告：找不到 holiday.dat，不显示节日\n";
        table = HolidayTable();
    }
    return table;
}

// The month views; `command` is kCurrentMonth, kMonth or kYear.
int RunMonths(LunarcalCommand command, const LunarcalEnvironment& env, std::ostream& out, std::ostream& err) {
    if (command.mode == LunarcalMode::kCurrentMonth) {
        GregorianDate today = env.today;
        if (!IsValidDate(today.year, today.month, today.day) || today < kFirstDate || today > kLastDate) {
            Fail(err, "今天（" + IsoDateText(today) + "）超出范围（1901-01-01 至 2050-12-31），请给出年份和月份");
            return kLunarcalUsageError;
        }
        command.year = today.year;
        command.month = today.month;
    }
    std::optional<HolidayTable> holidays = LoadHolidays(command, env, err);
    if (!holidays) {
        return kLunarcalUsageError;
    }
    std::optional<GregorianDate> highlight;
    if (env.outIsTerminal) {
        highlight = env.today;
    }
    int firstMonth = command.mode == LunarcalMode::kYear ? 1 : command.month;
    int lastMonth = command.mode == LunarcalMode::kYear ? 12 : command.month;
    for (int month = firstMonth; month <= lastMonth; ++month) {
        if (month > firstMonth) {
            out << '\n';
        }
        WriteMonth(out, command.year, month, *holidays, highlight);
    }
    return kLunarcalOk;
}

}  // namespace

int RunLunarcal(const std::vector<std::string>& args,
                const LunarcalEnvironment& env,
                std::ostream& out,
                std::ostream& err) {
    ParsedArgs parsed = ParseLunarcalArgs(args);
    if (!parsed.error.empty()) {
        Fail(err, parsed.error);
        return kLunarcalUsageError;
    }
    const LunarcalCommand& command = parsed.command;
    switch (command.mode) {
        case LunarcalMode::kHelp:
            out << kHelp;
            return kLunarcalOk;
        case LunarcalMode::kDump:
            WriteDump(out, command.first, command.last);
            return kLunarcalOk;
        case LunarcalMode::kDay: {
            std::optional<HolidayTable> holidays = LoadHolidays(command, env, err);
            if (!holidays) {
                return kLunarcalUsageError;
            }
            WriteDayReport(out, command.first, *holidays);
            return kLunarcalOk;
        }
        case LunarcalMode::kCurrentMonth:
        case LunarcalMode::kMonth:
        case LunarcalMode::kYear:
            return RunMonths(command, env, out, err);
    }
    return kLunarcalUsageError;
}

std::vector<std::string> DefaultHolidayFiles(const std::string& executableFolder, char separator) {
    if (executableFolder.empty()) {
        return {};
    }
    std::string modules = std::string("modules") + separator + "Calendar" + separator;
    return {executableFolder + separator + "holiday.dat", executableFolder + separator + modules + "holiday.dat"};
}
