#pragma once

// The update notice: the maker's site publishes a small INI text (section
// [UPDATE]: DATE, URL, INFO); the loader shows it once, in the notice
// window above the tray, when its DATE is newer than that of the last notice
// shown, which Data\sysupdate.ini remembers across runs. Also the notice
// window's geometry and what a click at a point of it means.

#include <optional>
#include <string>
#include <string_view>

inline constexpr char kNoticeSection[] = "UPDATE";
inline constexpr char kNoticeDateKey[] = "DATE";
inline constexpr char kNoticeUrlKey[] = "URL";
inline constexpr char kNoticeInfoKey[] = "INFO";
// The downloaded notice is kept under this name in the temporary folder.
inline constexpr char kNoticeFileName[] = "sysupdate.ini";

// The published notice's page on the maker's site ("host" or "host:port").
std::string NoticePageAddress(std::string_view siteHost);

struct UpdateNotice {
    std::string date;  // the stamp as published
    std::string url;   // without surrounding blanks
    std::string info;  // the text shown

    friend bool operator==(const UpdateNotice&, const UpdateNotice&) = default;
};

// Whether the stamp `published` is newer than `last`. Stamps are read like
// atol (a text without digits is 0); a published stamp of 0 or below is
// never newer, so a notice without a date is never shown.
bool IsNewerNotice(std::string_view published, std::string_view last);

// The notice to show and record, from the published values and the last
// shown stamp: nullopt when it is not newer or its URL is empty after
// trimming.
std::optional<UpdateNotice> NoticeToShow(const UpdateNotice& published, std::string_view lastDate);

// The check after a successful download of `publishedText`: writes it to
// `tempPath` (replacing the file), reads the published notice from there and
// the last stamp from `lastPath`, and when the notice is to be shown records
// its DATE, URL and INFO in `lastPath` (making the keys) and returns it.
// Nothing is shown when either file cannot be written or opened: a stale
// temporary file is never read, and a notice that cannot be recorded would
// pop up again at every check.
std::optional<UpdateNotice> TakeNewNotice(std::string_view publishedText,
                                          const std::string& tempPath,
                                          const std::string& lastPath);

// Whether a click may open `address`: only an http:// or https:// address
// with a host after the scheme, and without control characters or double
// quotes (which could end the address on the browser's command line). A
// notice from the network must never start a program or open a local file.
bool IsWebAddress(std::string_view address);

// The notice window, in its own pixels.
inline constexpr int kNoticeWidth = 193;
inline constexpr int kNoticeHeight = 125;
inline constexpr int kNoticeCreatedHeight = 98;  // the hidden window before the first notice
inline constexpr int kNoticeTitleHeight = 23;    // the title bar; the link is everything below it
inline constexpr int kNoticeCloseLeft = 175;     // the close spot: left and top inside, right and bottom outside
inline constexpr int kNoticeCloseTop = 7;
inline constexpr int kNoticeCloseRight = 186;
inline constexpr int kNoticeCloseBottom = 17;
inline constexpr int kNoticeTextLeft = 10;  // where the text goes
inline constexpr int kNoticeTextTop = 33;
inline constexpr int kNoticeTextWidth = 183;
inline constexpr int kNoticeTextHeight = 67;
// How long the window takes to roll up when it is shown.
inline constexpr unsigned kNoticeRollMs = 200;

enum class NoticeSpot {
    kNone,   // the title bar outside the close spot, or outside the window
    kClose,  // hides the window
    kLink,   // hides the window and opens the address
};

// What a click at window point (x, y) of the shown notice does.
NoticeSpot NoticeSpotAt(int x, int y);

// The height of the rolling window `elapsedMs` after the roll began: it
// grows evenly to kNoticeHeight over kNoticeRollMs, from one row (a layered
// window cannot be zero pixels high).
int NoticeRollHeight(unsigned elapsedMs);
