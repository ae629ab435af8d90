#pragma once

// Answers a modal message box for a test: a background thread waits for a
// dialog (class "#32770") with a given caption, records what it shows and
// presses a given button, so the test thread can call code that blocks in
// MessageBox and check both the result and the dialog.
//
//   testkit::MessageBoxAnswerer answerer("caption", IDNO);
//   EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_YESNO), IDNO);
//   std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
//
// A test must never leave a message box unanswered (the run would hang): if
// no dialog with the caption shows up in time, the answerer presses the
// button in whatever dialog of this process is showing (captionMatched is
// then false) and the test fails instead of hanging.

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace testkit {

enum class MessageBoxIcon {
    kNone,
    kError,        // MB_ICONHAND / MB_ICONERROR
    kQuestion,     // MB_ICONQUESTION
    kWarning,      // MB_ICONEXCLAMATION / MB_ICONWARNING
    kInformation,  // MB_ICONASTERISK / MB_ICONINFORMATION
    kOther,
};

struct DialogButton {
    int id = 0;          // IDOK, IDCANCEL, IDYES, IDNO, ...
    std::string text{};  // as shown, with its "&" mnemonic
};

struct AnsweredDialog {
    std::string caption{};
    std::string text{};                   // the message
    std::vector<DialogButton> buttons{};  // the visible buttons, in the dialog's order
    MessageBoxIcon icon = MessageBoxIcon::kNone;
    HWND owner = nullptr;
    int pressed = 0;  // the button that closed it (the requested one when it has it)
    bool captionMatched = true;

    std::vector<int> ButtonIds() const;
};

class MessageBoxAnswerer {
public:
    // Starts waiting at once for a dialog with `caption` (GBK) shown by
    // process `processId` (0: any process).
    MessageBoxAnswerer(std::string caption,
                       int button,
                       unsigned int timeoutMs = 10000,
                       DWORD processId = GetCurrentProcessId());
    // Stops waiting (a dialog not yet found is left alone) and joins.
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Waits until the dialog was answered or the time-out passed: the dialog
    // as it was before the press, or nullopt when there was none.
    std::optional<AnsweredDialog> Result();

private:
    void Run();
    HWND WaitForDialog();

    std::string caption_;
    int button_;
    unsigned int timeoutMs_;
    DWORD processId_;
    std::atomic<bool> cancelled_{false};
    std::optional<AnsweredDialog> result_;
    std::thread thread_;  // last: it uses the members above
};

// What a message box shows, read from its controls.
AnsweredDialog DescribeDialog(HWND dialog);

}  // namespace testkit
