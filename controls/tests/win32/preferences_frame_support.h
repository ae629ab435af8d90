#pragma once

// Runs a preferences frame the way a settings command would, on a thread of
// its own (the frame is modal), so a test can drive it from outside with
// messages: pages and icons made on that thread, the frame's sizes recorded.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "controls/win32/preferences_dialog.h"

namespace controls_test {

struct PageSetup {
    std::string title;  // "SEPERATOR" for a separator
    int width = 0;      // client size
    int height = 0;
    std::vector<std::string> labels;  // check boxes on the page
};

// The frame with its client heights recorded at every WM_SIZE.
class RecordingFrame : public cmmctrls::CPreferencesDialog {
public:
    using CPreferencesDialog::CPreferencesDialog;
    std::vector<int> ClientHeights();
    void ForgetSizes();

protected:
    void OnSize(UINT type, int width, int height) override;

private:
    std::mutex lock_;
    std::vector<int> heights_;
};

class FrameRun {
public:
    FrameRun(std::vector<PageSetup> pages, int initialPage, const char* caption = nullptr);
    // Closes the frame with Cancel if it is still open, and waits for it.
    ~FrameRun();

    // The frame's window once it is shown; null when it did not come within
    // a few seconds.
    HWND WaitForFrame();
    // Waits for DoModal to return and gives its result.
    INT_PTR Result();

    RecordingFrame& Frame() { return *frame_; }
    HWND Page(std::size_t index) const { return pages_[index]; }
    // Makes page `index` refuse (or accept) its data on OK.
    void SetRefuses(std::size_t index, bool refuses);
    // What AddSubOption answered for each option.
    std::vector<int> Added() const { return added_; }
    bool PagesSurvived() const { return pagesSurvived_; }

private:
    void Run(int initialPage, std::string caption, bool hasCaption);

    std::vector<PageSetup> setups_;
    std::vector<HWND> pages_;
    std::vector<int> added_;
    std::unique_ptr<RecordingFrame> frame_;
    std::atomic<bool> started_{false};
    std::atomic<bool> finished_{false};
    INT_PTR result_ = 0;
    bool pagesSurvived_ = false;
    std::thread thread_;
};

}  // namespace controls_test
