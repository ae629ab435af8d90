#pragma once

// The online version check's thread: it waits (30 s in the program), asks
// the maker's site for the newest version once, tells the user in a message
// box when that is newer than the product, and then only waits for its quit
// request. It shares nothing with the LoaderWindow but copies of texts, so
// it may be let go at any time and never touches a window that is gone.

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/handles.h"

struct VersionCheckSetup {
    std::string pageAddress;     // the version page
    std::string productVersion;  // "V4.0"
    std::string message;         // what the message box says when the site has a newer version
    unsigned delayMs = 30000;    // before the page is asked for
};

class VersionCheckWorker {
public:
    explicit VersionCheckWorker(VersionCheckSetup setup);
    ~VersionCheckWorker();  // Quit()
    VersionCheckWorker(const VersionCheckWorker&) = delete;
    VersionCheckWorker& operator=(const VersionCheckWorker&) = delete;

    // Starts the thread and waits until its queue can take the quit request.
    // False when it was started before or could not start.
    bool Start();
    // Posts the quit request and lets the thread go without waiting: a wait
    // or a message box ends at once, a download under way runs to its end
    // (or its time-out) first and then shows nothing.
    void Quit();

    // The thread's id while it is held, else 0.
    DWORD ThreadId() const { return threadId_; }

    // What the thread uses (defined with the thread's code).
    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    UniqueHandle thread_;
    DWORD threadId_ = 0;
    bool started_ = false;
};
