#pragma once

// The loader's one notification-area icon (number 0) and its record: icon,
// callback message, tip and balloon are always submitted together.

#include <windows.h>

#include <shellapi.h>

#include <string>

class TrayIcon {
public:
    TrayIcon();
    ~TrayIcon();  // removes the icon if it was added
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon for `owner` with a balloon (information icon).
    bool Add(HWND owner,
             UINT callbackMessage,
             HICON icon,
             const std::string& balloonTitle,
             const std::string& balloonText,
             UINT balloonTimeoutMs);
    // Changes the icon and the balloon's text (the title stays).
    bool Change(HICON icon, const std::string& balloonText);
    // Changes the balloon's title, text and time-out (the icon stays); empty
    // texts take the balloon away.
    bool ChangeBalloon(const std::string& balloonTitle, const std::string& balloonText, UINT balloonTimeoutMs);
    // Submits the record's icon again (nothing else).
    bool ShowIconAgain();
    // Adds the icon again after the shell restarted, without popping the
    // balloon up again.
    bool AddAgain();
    void Remove();

    bool added() const { return added_; }
    const std::string& balloonText() const { return balloonText_; }
    const std::string& balloonTitle() const { return balloonTitle_; }

private:
    NOTIFYICONDATAA record_;
    std::string balloonText_;
    std::string balloonTitle_;
    bool added_ = false;
};
