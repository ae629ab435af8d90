#include "tools/lunarcal/lunarcal_args.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "tools/lunarcal/terminal_text.h"

namespace {

// Longest run of digits read as a number; more could overflow an int.
constexpr std::size_t kMaxDigits = 9;

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The value of a run of at most kMaxDigits digits.
std::optional<int> SmallNumber(std::string_view text) {
    if (!AllDigits(text) || text.size() > kMaxDigits) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

struct DateResult {
    GregorianDate date;
    std::string error;
};

// Exactly YYYY-MM-DD, an existing day, inside kFirstDate ... kLastDate.
DateResult ParseDate(std::string_view text) {
    DateResult result;
    bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' && AllDigits(text.substr(0, 4)) &&
                  AllDigits(text.substr(5, 2)) && AllDigits(text.substr(8, 2));
    if (!shaped) {
        result.error = "日期 " + QuotedArgument(text) + " 格式错误（应为 YYYY-MM-DD）";
        return result;
    }
    GregorianDate date{*SmallNumber(text.substr(0, 4)), *SmallNumber(text.substr(5, 2)),
                       *SmallNumber(text.substr(8, 2))};
    if (!IsValidDate(date.year, date.month, date.day)) {
        result.error = "日期 " + std::string(text) + " 不存在";
    } else if (date < kFirstDate || date > kLastDate) {
        result.error = "日期 " + std::string(text) + " 超出范围（1901-01-01 至 2050-12-31）";
    } else {
        result.date = date;
    }
    return result;
}

std::string ParseYear(std::string_view text, int& year) {
    std::optional<int> value = SmallNumber(text);
    if (!value) {
        return "年份 " + QuotedArgument(text) + " 无效（应为 1901 至 2050 的数字）";
    }
    if (*value < kFirstDate.year || *value > kLastDate.year) {
        return "年份 " + std::to_string(*value) + " 超出范围（1901 至 2050）";
    }
    year = *value;
    return {};
}

std::string ParseMonth(std::string_view text, int& month) {
    std::optional<int> value = SmallNumber(text);
    if (!value || *value < 1 || *value > 12) {
        return "月份 " + QuotedArgument(text) + " 无效（应为 1 至 12）";
    }
    month = *value;
    return {};
}

// Reads the command line into `command`; returns the first error.
class ArgsReader {
public:
    explicit ArgsReader(const std::vector<std::string>& args) : args_(args) {}

    std::string Read(LunarcalCommand& command) {
        for (next_ = 0; next_ < args_.size();) {
            const std::string& arg = args_[next_++];
            std::string error;
            if (arg == "--help" || arg == "-h") {
                command.mode = LunarcalMode::kHelp;
                return {};
            } else if (arg == "--day") {
                error = ReadDay(command);
            } else if (arg == "--dump") {
                error = ReadDump(command);
            } else if (arg == "--holidays") {
                error = ReadHolidayFile(command);
            } else if (!arg.empty() && arg[0] == '-') {
                error = "未知选项 " + QuotedArgument(arg);
            } else {
                positional_.push_back(arg);
            }
            if (!error.empty()) {
                return error;
            }
        }
        return Finish(command);
    }

private:
    std::string ReadDay(LunarcalCommand& command) {
        if (viewChosen_) {
            return kOneView;
        }
        viewChosen_ = true;
        if (next_ >= args_.size()) {
            return "--day 需要一个日期（YYYY-MM-DD）";
        }
        DateResult day = ParseDate(args_[next_++]);
        command.mode = LunarcalMode::kDay;
        command.first = day.date;
        return day.error;
    }

    std::string ReadDump(LunarcalCommand& command) {
        if (viewChosen_) {
            return kOneView;
        }
        viewChosen_ = true;
        if (args_.size() - next_ < 2) {
            return "--dump 需要两个日期（起始日期 结束日期，格式 YYYY-MM-DD）";
        }
        DateResult first = ParseDate(args_[next_++]);
        DateResult last = ParseDate(args_[next_++]);
        if (!first.error.empty() || !last.error.empty()) {
            return first.error.empty() ? last.error : first.error;
        }
        if (first.date > last.date) {
            return "起始日期 " + IsoDateText(first.date) + " 晚于结束日期 " + IsoDateText(last.date);
        }
        command.mode = LunarcalMode::kDump;
        command.first = first.date;
        command.last = last.date;
        return {};
    }

    std::string ReadHolidayFile(LunarcalCommand& command) {
        if (holidayFileGiven_) {
            return "--holidays 只能给出一次";
        }
        holidayFileGiven_ = true;
        if (next_ >= args_.size() || args_[next_].empty()) {
            return "--holidays 需要一个文件名";
        }
        command.holidayFile = args_[next_++];
        return {};
    }

    std::string Finish(LunarcalCommand& command) {
        if (!positional_.empty() && viewChosen_) {
            return "多余的参数 " + QuotedArgument(positional_[0]);
        }
        if (positional_.size() > 2) {
            return "多余的参数 " + QuotedArgument(positional_[2]);
        }
        if (holidayFileGiven_ && command.mode == LunarcalMode::kDump) {
            return "--holidays 不能与 --dump 一起使用";
        }
        if (positional_.empty()) {
            return {};
        }
        std::string error = ParseYear(positional_[0], command.year);
        if (error.empty() && positional_.size() == 2) {
            error = ParseMonth(positional_[1], command.month);
        }
        command.mode = positional_.size() == 2 ? LunarcalMode::kMonth : LunarcalMode::kYear;
        return error;
    }

    static constexpr const char* kOneView = "年份和月份、--day、--dump 只能选用一种";

    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    std::vector<std::string> positional_;
    bool viewChosen_ = false;
    bool holidayFileGiven_ = false;
};

}  // namespace

ParsedArgs ParseLunarcalArgs(const std::vector<std::string>& args) {
    ParsedArgs parsed;
    parsed.error = ArgsReader(args).Read(parsed.command);
    if (!parsed.error.empty()) {
        parsed.command = {};
    }
    return parsed;
}

std::string IsoDateText(GregorianDate date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}
