#include "widget/weather/weather_report.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/file_io.h"
#include "common/xml_encoding.h"
#include "widget/weather/feed_time.h"
#include "xml/xml_dom.h"
#include "xml/xml_helper.h"

namespace {

// The elements of the four indices and their labels, by WeatherIndexKind.
constexpr std::string_view kIndexElements[] = {"dress", "comfort", "catchcold", "washcar"};
constexpr std::string_view kIndexLabels[] = {"穿衣指数", "舒适度", "感冒指数", "洗车指数"};

struct TextField {
    std::string_view element;
    std::string WeatherReport::*field;
};
// The elements whose text is kept as it is, in no particular order.
constexpr TextField kTextFields[] = {
    {"description", &WeatherReport::description},       {"mintemperature", &WeatherReport::minTemperature},
    {"maxtemperature", &WeatherReport::maxTemperature}, {"winddirection", &WeatherReport::windDirection},
    {"windpower", &WeatherReport::windPower},
};

struct IndexField {
    std::string_view element;
    std::string WeatherIndex::*field;
};
// The child elements of an index element, in no particular order.
constexpr IndexField kIndexFields[] = {
    {"index", &WeatherIndex::index},
    {"des1", &WeatherIndex::description1},
    {"des2", &WeatherIndex::description2},
};

// An XPath step to the elements called `name` (lower case) in any letter case.
std::string NamedStep(std::string_view name) {
    return "*[translate(name(),'ABCDEFGHIJKLMNOPQRSTUVWXYZ','abcdefghijklmnopqrstuvwxyz')='" + std::string(name) + "']";
}

// The texts of the elements `xpath` selects, in document order.
std::vector<std::string> TextsOf(const CXMLDOMDocument2& document, const std::string& xpath) {
    std::vector<std::string> texts;
    const CXMLDOMNodeList nodes = document.SelectNodes(xpath);
    const long length = nodes.GetLength();
    for (long i = 0; i < length; ++i) {
        texts.push_back(nodes.GetItem(i).GetText());
    }
    return texts;
}

// The text of the last element called `name` anywhere in the document, as a
// walk through the tree storing each match leaves it.
std::optional<std::string> LastText(const CXMLDOMDocument2& document, std::string_view name) {
    std::vector<std::string> texts = TextsOf(document, "//" + NamedStep(name));
    if (texts.empty()) {
        return std::nullopt;
    }
    return std::move(texts.back());
}

void ReadTime(const CXMLDOMDocument2& document, std::string_view name, Moment now, Moment& time, std::string& text) {
    if (std::optional<std::string> found = LastText(document, name)) {
        text = std::move(*found);
        time = ParseFeedTime(text, now);
    }
}

void ReadIndices(const CXMLDOMDocument2& document, WeatherReport& report) {
    for (std::size_t kind = 0; kind < report.indices.size(); ++kind) {
        for (const IndexField& field : kIndexFields) {
            std::vector<std::string> texts =
                TextsOf(document, "//" + NamedStep(kIndexElements[kind]) + "/" + NamedStep(field.element));
            if (!texts.empty()) {
                report.indices[kind].*field.field = std::move(texts.back());
            }
        }
    }
}

void ReadFields(const CXMLDOMDocument2& document, Moment now, WeatherReport& report) {
    // The first city with a name is kept; later ones are ignored.
    for (std::string& city : TextsOf(document, "//" + NamedStep("city"))) {
        if (report.city.empty()) {
            report.city = std::move(city);
        }
    }
    for (const TextField& field : kTextFields) {
        if (std::optional<std::string> text = LastText(document, field.element)) {
            report.*field.field = std::move(*text);
        }
    }
    if (std::optional<std::string> text = LastText(document, "skycode1")) {
        report.skyCode1 = XML_Helper::String2Int(*text);
    }
    if (std::optional<std::string> text = LastText(document, "skycode2")) {
        report.skyCode2 = XML_Helper::String2Int(*text);
    }
    ReadTime(document, "starttime", now, report.startTime, report.startTimeText);
    ReadTime(document, "endtime", now, report.endTime, report.endTimeText);
    ReadIndices(document, report);
}

}  // namespace

WeatherReport EmptyWeatherReport(std::int32_t stationNumber, std::int32_t hours) {
    WeatherReport report;
    report.stationNumber = stationNumber;
    report.hours = hours;
    for (std::size_t kind = 0; kind < report.indices.size(); ++kind) {
        report.indices[kind].label = kIndexLabels[kind];
    }
    return report;
}

bool ParseWeatherReport(std::string_view document, Moment now, WeatherReport& report) {
    report = EmptyWeatherReport(report.stationNumber, report.hours);
    const std::string text = XmlDocumentAsGbk(document);
    try {
        CXMLDOMDocument2 dom = CDOMDocumentClass::CreateXMLDOMDocument2();
        dom.SetProperty("SelectionLanguage", std::string("XPath"));
        dom.SetAsync(0);
        dom.SetPreserveWhiteSpace(1);
        if (dom.LoadXML(std::string_view(text)) == 0) {
            return false;
        }
        WeatherReport read = report;
        ReadFields(dom, now, read);
        report = std::move(read);
        return true;
    } catch (CComException* error) {
        delete error;
        return false;
    }
}

bool IsWeatherCacheFresh(const LocalTime& written, const LocalTime& now) {
    return written.month == now.month && written.day == now.day && (written.hour >= 21 || now.hour <= 20);
}

bool LoadCachedWeatherReport(std::string_view dataFolder,
                             std::int32_t stationNumber,
                             std::int32_t hours,
                             Moment now,
                             WeatherReport& report) {
    report = EmptyWeatherReport(stationNumber, hours);
    const std::string path = WeatherCachePath(dataFolder, stationNumber, hours);
    const std::optional<Moment> written = FileWriteTime(path);
    if (!written || !IsWeatherCacheFresh(ToLocalTime(*written), ToLocalTime(now))) {
        return false;
    }
    std::string document;
    return ReadWholeFile(path, document) && ParseWeatherReport(document, now, report);
}

bool IsWeatherDownloadNeeded(std::string_view dataFolder, std::int32_t stationNumber, Moment now) {
    WeatherReport report;
    return !LoadCachedWeatherReport(dataFolder, stationNumber, 24, now, report) || report.endTime < now;
}
