#pragma once

// The skin dialog's page (dialog 169) for one kind of skin: the grid of
// installed skins with the current one selected, and below it the skins
// published on the maker's site that are not installed yet, with check
// boxes, "刷新", "立即更新", a status line and a progress bar. The
// published list is loaded a second after the page opens; downloads run
// on the engine's workers, and the page shows their status every second.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win32/owned_dialog.h"
#include "loader/skin_catalog.h"
#include "loader/skin_update.h"
#include "loader/win32/skin_update_engine.h"

class ThumbControl;

struct SkinPageSetup {
    std::string programFolder;    // without a trailing backslash
    std::string siteHost;         // the maker's site: "host" or "host:port"
    std::string temporaryFolder;  // without a trailing backslash; the published list is saved there
    unsigned long packageWaitMs = 5 * 60 * 1000;
};

class SkinPage : private OwnedDialog {
public:
    // The page as a child of `parent`; nullptr when it cannot be made.
    static std::unique_ptr<SkinPage> Create(HINSTANCE resources,
                                            HWND parent,
                                            const SkinKind& kind,
                                            SkinPageSetup setup);
    ~SkinPage();

    HWND Handle() const { return window_.get(); }
    // The selected thumbnail's preview path; empty when none is selected.
    std::string SelectedPreview() const;
    // The file that keeps the current skin (Data\module.ini).
    const std::string& SettingsPath() const { return settingsPath_; }
    const SkinKind& Kind() const { return kind_; }
    ThumbControl* Grid() const;

private:
    SkinPage(const SkinKind& kind, SkinPageSetup setup);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    void Layout();
    void FillGrid();
    void LoadList();
    void OnListLoaded();
    void OnUpdateNow();
    void OnJobDone(SkinJob job);
    void ShowStatus();
    void EnableButtons(bool refresh, bool update);
    HWND Item(int id) const { return GetDlgItem(window_.get(), id); }

    const SkinKind& kind_;
    SkinPageSetup setup_;
    std::string skinsFolder_;
    std::string settingsPath_;
    std::string cataloguePath_;
    std::unique_ptr<SkinUpdateEngine> engine_;
    std::vector<PendingSkin> pending_;  // the list view's rows, in order
};
