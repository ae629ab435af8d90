#pragma once

// The tray information worker: a thread that, once a second, finds the tray
// icon, and while the pointer rests on it reads the system figures and hands
// the balloon to the LoaderWindow; when the pointer is elsewhere (or the tray
// menu is open) it asks for the balloon to go. It never touches the tray icon
// itself: the window's thread does, on the message the worker posts.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "common/local_time.h"
#include "loader/system_figures.h"

class SystemMonitor;
class TrayIconLocator;

// Posted by the worker to the window: the first argument is a BalloonStep
// (kHide or kShow); for kShow the text and title wait in TakeBalloon().
inline constexpr UINT kTrayBalloonMessage = WM_APP + 7200;
// Posted by the worker when it showed its marker in place of the icon: the
// window shows its own icon again.
inline constexpr UINT kTrayRestoreIconMessage = WM_APP + 7201;

struct TrayBalloon {
    std::string title;
    std::string text;
};

class TrayInfoWorker {
public:
    // `menuOpen` belongs to the window, which sets it when the tray menu
    // opens; the worker reads it and clears it once the pointer has left
    // the icon. Both it and `clock` outlive the worker.
    TrayInfoWorker(HWND window,
                   UINT iconId,
                   std::atomic<bool>& menuOpen,
                   const IClock& clock,
                   std::string balloonTitle);
    ~TrayInfoWorker();  // Stop()
    TrayInfoWorker(const TrayInfoWorker&) = delete;
    TrayInfoWorker& operator=(const TrayInfoWorker&) = delete;

    // Starts the thread and its one-second tick; false when it was started
    // before (it is never started twice) or could not start.
    bool Start();
    // Posts the quit request and waits for the thread to end.
    void Stop();

    DWORD ThreadId() const { return threadId_; }
    // The balloon of the last kShow; the window's thread takes it.
    TrayBalloon TakeBalloon();

private:
    void Run();
    void Tick(SystemMonitor& monitor, TrayIconLocator& locator);

    const HWND window_;
    const UINT iconId_;
    std::atomic<bool>& menuOpen_;
    const IClock& clock_;
    const std::string balloonTitle_;

    std::thread thread_;
    bool started_ = false;            // the window's thread only
    std::atomic<DWORD> threadId_{0};  // written once by the worker before it signals ready

    std::mutex balloonLock_;
    TrayBalloon balloon_;  // written by the worker, taken by the window's thread; under balloonLock_
};
