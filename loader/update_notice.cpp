#include "loader/update_notice.h"

#include <algorithm>

#include "common/file_io.h"
#include "loader/shutdown_schedule.h"
#include "toolkit/lyn_ini.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (LowerAscii(text[i]) != prefix[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string NoticePageAddress(std::string_view siteHost) {
    return "http://" + std::string(siteHost) + "/software/tessary/sysupdate.htm";
}

bool IsNewerNotice(std::string_view published, std::string_view last) {
    const int publishedStamp = ReadSettingNumber(published);
    return publishedStamp > 0 && publishedStamp > ReadSettingNumber(last);
}

std::optional<UpdateNotice> NoticeToShow(const UpdateNotice& published, std::string_view lastDate) {
    if (!IsNewerNotice(published.date, lastDate)) {
        return std::nullopt;
    }
    UpdateNotice notice = published;
    notice.url = std::string(Trim(published.url));
    if (notice.url.empty()) {
        return std::nullopt;
    }
    return notice;
}

std::optional<UpdateNotice> TakeNewNotice(std::string_view publishedText,
                                          const std::string& tempPath,
                                          const std::string& lastPath) {
    if (ReplaceFileAtomically(tempPath, publishedText) != 0) {
        return std::nullopt;
    }
    CLynIni publishedFile;
    CLynIni lastFile;
    if (publishedFile.SetFileName(tempPath) == 0 || lastFile.SetFileName(lastPath) == 0) {
        return std::nullopt;
    }
    UpdateNotice published{publishedFile.GetValue(kNoticeSection, kNoticeDateKey),
                           publishedFile.GetValue(kNoticeSection, kNoticeUrlKey),
                           publishedFile.GetValue(kNoticeSection, kNoticeInfoKey)};
    std::optional<UpdateNotice> notice = NoticeToShow(published, lastFile.GetValue(kNoticeSection, kNoticeDateKey));
    if (!notice) {
        return std::nullopt;
    }
    const bool recorded = lastFile.SetValue(kNoticeSection, kNoticeDateKey, notice->date, true) == 0 &&
                          lastFile.SetValue(kNoticeSection, kNoticeUrlKey, notice->url, true) == 0 &&
                          lastFile.SetValue(kNoticeSection, kNoticeInfoKey, notice->info, true) == 0;
    if (!recorded) {
        return std::nullopt;
    }
    return notice;
}

bool IsWebAddress(std::string_view address) {
    std::string_view rest;
    if (StartsWithIgnoringCase(address, "http://")) {
        rest = address.substr(7);
    } else if (StartsWithIgnoringCase(address, "https://")) {
        rest = address.substr(8);
    } else {
        return false;
    }
    if (rest.empty() || rest.front() == '/' || rest.front() == '\\') {
        return false;
    }
    return std::none_of(address.begin(), address.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '"'; });
}

NoticeSpot NoticeSpotAt(int x, int y) {
    if (x < 0 || y < 0 || x >= kNoticeWidth || y >= kNoticeHeight) {
        return NoticeSpot::kNone;
    }
    if (x >= kNoticeCloseLeft && x < kNoticeCloseRight && y >= kNoticeCloseTop && y < kNoticeCloseBottom) {
        return NoticeSpot::kClose;
    }
    return y >= kNoticeTitleHeight ? NoticeSpot::kLink : NoticeSpot::kNone;
}

int NoticeRollHeight(unsigned elapsedMs) {
    if (elapsedMs >= kNoticeRollMs) {
        return kNoticeHeight;
    }
    return std::max(1, static_cast<int>(elapsedMs * kNoticeHeight / kNoticeRollMs));
}
