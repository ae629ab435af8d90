#pragma once

// TrevaloWindow: the side program's main window in either mode. It owns the
// skinned frame, the banner strip with the maker's page, the window's place
// on the screen, its registration with LynHook32 and message 2025, and the
// tree worker; the mode's view fills the rest.

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "common/win32/handles.h"
#include "toolkit/win32/lyn_flat_dlg.h"
#include "trevalo/program_mode.h"
#include "trevalo/win32/mode_view.h"

class BrowserPage;

// Posted to the main window by a view that wants its tree built again (the
// worker is then restarted once the running one has ended).
inline constexpr UINT kRebuildTreeMessage = WM_APP + 0x201;

// Height of the banner strip below the title bar, in pixels.
inline constexpr int kBannerHeight = 60;
// The window never gets smaller than this.
inline constexpr int kTrevaloMinimumWidth = 415;
inline constexpr int kTrevaloMinimumHeight = 400;

class TrevaloWindow : public CLynFlatDlg {
public:
    TrevaloWindow(ProgramMode mode, const TrevaloFolders& folders, std::unique_ptr<ModeView> view);
    ~TrevaloWindow() override;

    // True while the tree worker runs (for tests).
    bool TreeWorkerRunning() const { return workerRunning_.load(); }

protected:
    bool OnInitDialog() override;
    void OnSize(int width, int height) override;
    void OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(const NMHDR& header) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    void ApplySkin();
    void PlaceOnWorkArea();
    void Register();
    void OnHookMessage(WPARAM reason);
    void StartTreeWorker();
    void StopTreeWorker();

    ProgramMode mode_;
    TrevaloFolders folders_;
    std::unique_ptr<ModeView> view_;
    std::unique_ptr<BrowserPage> banner_;
    bool viewCreated_ = false;
    std::thread worker_;
    UniqueHandle workerDone_;
    std::atomic<bool> workerRunning_{false};
};
