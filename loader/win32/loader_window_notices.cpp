// The LoaderWindow's update notices: the notice window, the notice check on
// the window's timers and the one online version check of a run.

#include "loader/win32/loader_window.h"

#include "common/path_util.h"
#include "common/win32/temporary_folder.h"
#include "loader/loader_paths.h"
#include "loader/update_notice.h"
#include "loader/version_check.h"
#include "services/product_services.h"

void LoaderWindow::CreateNoticeWindow() {
    auto notice = std::make_unique<NoticeWindow>(options_.instance,
                                                 JoinPath(options_.programFolder, "Skins\\sysmsg.png"), shell_);
    if (notice->Create()) {
        notice_ = std::move(notice);
    }
}

void LoaderWindow::OnNoticeTimer(TimerAction action) {
    if (action == TimerAction::kFirstNoticeCheck) {
        KillTimer(window_, timer::kFirstNoticeCheck);
        CheckNotice();
        SetTimer(window_, timer::kNoticeCheck, timer::kSecondNoticeDelay, nullptr);
        StartVersionCheck();
    } else {
        // Setting a running timer again restarts it with the new period.
        SetTimer(window_, timer::kNoticeCheck, timer::kNoticeCheckPeriod, nullptr);
        CheckNotice();
    }
}

// The download blocks this thread for as long as it takes (its time-outs
// bound that); a failed one is simply tried again at the next tick.
void LoaderWindow::CheckNotice() {
    if (!notice_) {
        return;
    }
    std::string page;
    if (Download(NoticePageAddress(options_.siteHost).c_str(), page) != 1) {
        return;
    }
    const std::string temporaryFolder = TemporaryFolder();
    if (temporaryFolder.empty()) {
        return;
    }
    const std::string temporaryPath = JoinPath(temporaryFolder, kNoticeFileName);
    const std::optional<UpdateNotice> notice =
        TakeNewNotice(page, temporaryPath, LoaderPathsFor(options_.programFolder).updateNotice);
    if (notice) {
        notice_->Show(notice->info, notice->url);
    }
}

void LoaderWindow::StartVersionCheck() {
    if (versionWorker_) {
        return;
    }
    VersionCheckSetup setup;
    setup.pageAddress = VersionPageAddress(options_.siteHost);
    setup.productVersion = options_.productVersion;
    setup.message = NewerVersionMessage(options_.productName, options_.siteHost);
    setup.delayMs = options_.versionCheckDelayMs;
    versionWorker_ = std::make_unique<VersionCheckWorker>(std::move(setup));
    // A worker that could not start is kept too: the check is made once a
    // run at most.
    static_cast<void>(versionWorker_->Start());
}
