#include "alarmclock/alarm_saver.h"

#include <cstdio>
#include <exception>
#include <limits>
#include <utility>

#include "common/file_io.h"
#include "xml/xml_dom.h"
#include "xml/xml_helper.h"

namespace alarmclock {

namespace {

constexpr char kHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<alarmxml>\r\n";
constexpr char kFooter[] = "</alarmxml>";
constexpr char kLineEnd[] = "\r\n";

// Years that hold moments of a Moment; times outside them are clamped
// without asking the C library.
constexpr std::int64_t kFirstYear = 1901;
constexpr std::int64_t kLastYear = 2038;

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor < 0) ? quotient - 1 : quotient;
}

Moment Clamped(std::int64_t moment) {
    if (moment < std::numeric_limits<Moment>::min()) {
        return std::numeric_limits<Moment>::min();
    }
    if (moment > std::numeric_limits<Moment>::max()) {
        return std::numeric_limits<Moment>::max();
    }
    return static_cast<Moment>(moment);
}

// The moment of the local calendar fields year - 1900, month 0-11, day,
// hour, minute, second, any of which may be far out of range. Year and month
// are carried in 64 bits and checked before the C library sees them; the
// C library converts noon of the 15th of that month (daylight saving off),
// and the rest is added to it as seconds, which is what mktime would give
// for the whole time. Noon of the 15th keeps the moment the library converts
// inside the range it handles also for times on the first and last day of
// the range (the Windows C library fails before 1970-01-01 00:00 UTC, which
// is 08:00 of that day in China; there, earlier times read as the earliest
// moment).
Moment MomentOfFields(const int (&fields)[6]) {
    const std::int64_t months = static_cast<std::int64_t>(fields[0]) * 12 + fields[1];
    const std::int64_t year = 1900 + FloorDiv(months, 12);
    if (year < kFirstYear) {
        return std::numeric_limits<Moment>::min();
    }
    if (year > kLastYear) {
        return std::numeric_limits<Moment>::max();
    }
    const int month = static_cast<int>(months - FloorDiv(months, 12) * 12) + 1;
    const Moment midMonth = FromLocalTime(LocalTime{static_cast<int>(year), month, 15, 12, 0, 0, 0});
    if (midMonth == std::numeric_limits<Moment>::min() || midMonth == std::numeric_limits<Moment>::max()) {
        return midMonth;  // the whole month lies beyond the range
    }
    if (midMonth == -1) {
        // Noon of a 15th is never the last second of 1969 (UTC): this is the
        // C library giving up, which the Windows one does before 1970.
        return year < 1970 ? std::numeric_limits<Moment>::min() : std::numeric_limits<Moment>::max();
    }
    const std::int64_t offset = (static_cast<std::int64_t>(fields[2]) - 15) * 86400 +
                                (static_cast<std::int64_t>(fields[3]) - 12) * 3600 +
                                static_cast<std::int64_t>(fields[4]) * 60 + fields[5];
    return Clamped(midMonth + offset);
}

AlarmItem ItemOfElement(const CXMLDOMNode& element) {
    AlarmItem item;
    item.name = XML_Helper::GetAttr(element, "name");
    item.startTime = ParseStartTime(XML_Helper::GetAttr(element, "start_time"));
    item.repeat = XML_Helper::String2Int(XML_Helper::GetAttr(element, "repeat"));
    return item;
}

}  // namespace

std::string SaveFailureMessage(const char* path) {
    return std::string("无法保存文件 ") + (path != nullptr ? path : "") +
           " , 请检查文件是否只读，或者检查磁盘空间是否不足！";
}

std::string FormatStartTime(Moment moment) {
    const LocalTime local = ToLocalTime(moment);
    char text[96];
    std::snprintf(text, sizeof text, "%d:%d:%d:%d:%d:%d", local.year - 1900, local.month - 1, local.day, local.hour,
                  local.minute, local.second);
    return text;
}

// Pieces are cut as XML_Helper cuts them: the empty text has none, "a:" has
// two (the second empty), and every piece is read with String2Int.
Moment ParseStartTime(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    int fields[6] = {};
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < 6) {
        const std::size_t colon = text.find(':', start);
        fields[count++] = XML_Helper::String2Int(text.substr(start, colon - start));
        if (colon == std::string_view::npos) {
            break;
        }
        start = colon + 1;
    }
    return count < 6 ? 0 : MomentOfFields(fields);
}

CAlarmSaver_base::CAlarmSaver_base() : notifier_(DefaultSaveFailureNotifier()) {}

CAlarmSaver_base::CAlarmSaver_base(SaveFailureNotifier notifier) : notifier_(std::move(notifier)) {}

CAlarmSaver_base::CAlarmSaver_base(const CAlarmSaver_base& other) = default;

CAlarmSaver_base& CAlarmSaver_base::operator=(const CAlarmSaver_base& other) = default;

CAlarmSaver_base::~CAlarmSaver_base() = default;

bool CAlarmSaver_base::Save(const char* path) {
    if (path == nullptr) {
        return false;
    }
    try {
        if (ReplaceFileAtomically(path, Data2XMLString(items_)) == 0) {
            return true;
        }
        if (notifier_) {
            notifier_(path);
        }
    } catch (const std::exception&) {
        // Out of memory while building the text: nothing was written.
    }
    return false;
}

bool CAlarmSaver_base::Load(const char* path) {
    if (path == nullptr) {
        return false;
    }
    try {
        std::string text;
        ReadWholeFile(path, text);  // a missing file is empty text
        return XMLString2Data(text, loadItems_);
    } catch (const std::exception&) {
        return false;
    }
}

bool CAlarmSaver_base::Get(std::vector<AlarmItem>& items) const {
    for (const auto& entry : items_) {
        items.push_back(entry.second);
    }
    return true;
}

bool CAlarmSaver_base::Get(const std::uint32_t& id, AlarmItem& item) const {
    const AlarmItem* found = items_.Find(id);
    if (found == nullptr) {
        return false;
    }
    item = *found;
    return true;
}

bool CAlarmSaver_base::GetLoadItem(std::vector<AlarmItem>& items) const {
    items.insert(items.end(), loadItems_.begin(), loadItems_.end());
    return true;
}

bool CAlarmSaver_base::Insert(const AlarmItem& item) {
    if (item.id == 0) {
        return false;
    }
    items_.Insert(item.id, item);
    return true;
}

bool CAlarmSaver_base::Remove(const std::uint32_t& id) {
    const std::uint32_t key = id;  // `id` may be the first field of the item removed
    return items_.Remove(key);
}

std::string CAlarmSaver_base::Data2XMLString(const vector_map<std::uint32_t, AlarmItem>& items) const {
    std::string text = kHeader;
    for (const auto& entry : items) {
        const AlarmItem& item = entry.second;
        text += XML_Helper::Format("alarm", {{"name", item.name},
                                             {"start_time", FormatStartTime(item.startTime)},
                                             {"repeat", std::to_string(item.repeat)}});
        text += kLineEnd;
    }
    text += kFooter;
    return text;
}

bool CAlarmSaver_base::XMLString2Data(const std::string& text, std::vector<AlarmItem>& out) const {
    if (text.empty()) {
        return false;
    }
    std::vector<AlarmItem> read;
    try {
        CXMLDOMDocument2 document = CDOMDocumentClass::CreateXMLDOMDocument2(nullptr, CDOMDocumentClass::kContextAll);
        document.SetProperty("SelectionLanguage", "XPath");
        document.SetAsync(0);
        document.SetPreserveWhiteSpace(1);
        if (!XML_Helper::OpenXMLFromMemory(text.c_str(), document)) {
            return false;
        }
        CXMLDOMNodeList elements = document.SelectNodes("//alarmxml/alarm");
        const long length = elements.GetLength();
        for (long i = 0; i < length; ++i) {
            read.push_back(ItemOfElement(elements.GetItem(i)));
        }
    } catch (CComException* error) {
        delete error;
        return false;
    }
    out.insert(out.end(), read.begin(), read.end());
    return true;
}

}  // namespace alarmclock
