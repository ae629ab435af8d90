// The LoaderWindow's 更换皮肤 command: the skin dialog as its tool window,
// and the widgets told to reload their skins when a skin is chosen.

#include "loader/win32/loader_window.h"

#include "common/win32/temporary_folder.h"
#include "loader/win32/skin_dialog.h"

void LoaderWindow::OpenSkinDialog() {
    toolWindows_.Open(ToolWindowKind::kSkins, [this]() -> std::unique_ptr<ToolWindow> {
        SkinDialogSetup setup;
        setup.page.programFolder = options_.programFolder;
        setup.page.siteHost = options_.siteHost;
        setup.page.temporaryFolder = TemporaryFolder();
        setup.page.packageWaitMs = options_.skinPackageWaitMs;
        setup.title = options_.productName + options_.productVersion + kSkinDialogTitleSuffix;
        setup.changeSkins = [this]() { ChangeAllSkins(); };
        return SkinDialog::Open(options_.instance, std::move(setup));
    });
}

void LoaderWindow::ChangeAllSkins() {
    for (std::size_t index = 0; index < modules_.Count(); ++index) {
        if (ModuleRecord* record = modules_.Usable(index);
            record != nullptr && record->entries.ChangeSkins != nullptr) {
            record->entries.ChangeSkins();
        }
    }
}
