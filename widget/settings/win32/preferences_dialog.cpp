#include "widget/settings/win32/preferences_dialog.h"

#include <commctrl.h>

#include "common/file_io.h"
#include "common/win32/window_icon.h"
#include "services/product_services.h"
#include "toolkit/lyn_ini.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/settings/preferences_rules.h"
#include "widget/settings/win32/preferences_resources.h"
#include "widget/settings/win32/reminder_backup.h"

namespace {

constexpr int kAlphaTickStep = 30;

// A hot key's section in module.ini, its check box and its hot-key control.
struct HotKeyControls {
    const char* section;
    int box;
    int control;
};
constexpr HotKeyControls kHotKeyControls[] = {
    {kCalendarHotKeySection, IDC_PREF_CALENDAR_HOTKEY_BOX, IDC_PREF_CALENDAR_HOTKEY},
    {kPlannerHotKeySection, IDC_PREF_PLANNER_HOTKEY_BOX, IDC_PREF_PLANNER_HOTKEY},
};

bool RunValueExists() {
    std::string value;
    return GetRegInfoValue(kRunKeyPath, kRunValueName, value) != 0;
}

// One dialog run. Everything here happens on the thread that called
// ShowPreferences, which owns the dialog; the settings and the target are
// the caller's and outlive the run.
class PreferencesDialog {
public:
    PreferencesDialog(HINSTANCE resources,
                      WidgetSettings& settings,
                      const PreferencesPaths& paths,
                      IPreferencesTarget& target)
        : resources_(resources), settings_(settings), paths_(paths), target_(target), openingAlpha_(settings.alpha) {}

    void Run(HWND owner) {
        DialogBoxParamA(resources_, MAKEINTRESOURCEA(IDD_PREFERENCES), owner, &PreferencesDialog::Procedure,
                        reinterpret_cast<LPARAM>(this));
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            reinterpret_cast<PreferencesDialog*>(lParam)->dialog_ = dialog;
        }
        auto* self = reinterpret_cast<PreferencesDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (self == nullptr) {
            return FALSE;
        }
        try {
            return self->Handle(message, wParam, lParam);
        } catch (...) {
            // Out of memory while building a text: the click is lost, the
            // dialog stays usable.
            return FALSE;
        }
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog();
                return TRUE;
            case WM_HSCROLL:
                if (reinterpret_cast<HWND>(lParam) == Item(IDC_PREF_ALPHA_SLIDER)) {
                    OnAlphaMoved();
                }
                return TRUE;
            case WM_COMMAND:
                return OnCommand(LOWORD(wParam), HIWORD(wParam));
            default:
                return FALSE;
        }
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    bool Checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }
    void Check(int id, bool on) { CheckDlgButton(dialog_, id, on ? BST_CHECKED : BST_UNCHECKED); }

    void OnInitDialog() {
        SetWindowTextA(dialog_, PreferencesTitle(GetSoftName(), GetSoftVersion()).c_str());
        ShowWidgetIcon();
        ShowBoxes(BoxesOf(settings_));

        HWND slider = Item(IDC_PREF_ALPHA_SLIDER);
        SendMessageA(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
        SendMessageA(slider, TBM_SETTICFREQ, kAlphaTickStep, 0);
        SendMessageA(slider, TBM_SETPOS, TRUE, settings_.alpha);
        SetDlgItemTextA(dialog_, IDC_PREF_ALPHA_TEXT, AlphaText(settings_.alpha).c_str());

        // A missing module.ini means no hot keys; opening it would create it.
        std::string unused;
        CLynIni ini;
        if (ReadWholeFile(paths_.moduleIniPath, unused)) {
            ini.SetFileName(paths_.moduleIniPath);
        }
        for (const HotKeyControls& hotKey : kHotKeyControls) {
            const HotKey key = ReadHotKey(ini, hotKey.section);
            const WORD shown = MAKEWORD(key.virtualKey & 0xFF, StoredToControlModifiers(key.modifiers));
            SendDlgItemMessageA(dialog_, hotKey.control, HKM_SETHOTKEY, shown, 0);
            Check(hotKey.box, key.IsSet());
            EnableWindow(Item(hotKey.control), key.IsSet() ? TRUE : FALSE);
        }
        Check(IDC_PREF_START_WITH_SYSTEM, RunValueExists());
    }

    void ShowWidgetIcon() { ShowWindowIcon(dialog_, resources_, IDI_PREF_WIDGET_ICON); }

    WindowBoxes ShownBoxes() const {
        return {Checked(IDC_PREF_ALWAYS_ON_TOP), Checked(IDC_PREF_FIXED_POSITION), Checked(IDC_PREF_CLICK_THROUGH),
                Checked(IDC_PREF_AUTO_HIDE)};
    }

    void ShowBoxes(const WindowBoxes& boxes) {
        Check(IDC_PREF_ALWAYS_ON_TOP, boxes.alwaysOnTop);
        Check(IDC_PREF_FIXED_POSITION, boxes.fixedPosition);
        Check(IDC_PREF_CLICK_THROUGH, boxes.clickThrough);
        Check(IDC_PREF_AUTO_HIDE, boxes.autoHide);
    }

    INT_PTR OnCommand(int id, int code) {
        if (code != BN_CLICKED) {
            return FALSE;
        }
        switch (id) {
            case IDC_PREF_ALWAYS_ON_TOP:
                ShowBoxes(ApplyBoxClick(ShownBoxes(), WindowBox::kAlwaysOnTop));
                return TRUE;
            case IDC_PREF_FIXED_POSITION:
                ShowBoxes(ApplyBoxClick(ShownBoxes(), WindowBox::kFixedPosition));
                return TRUE;
            case IDC_PREF_CLICK_THROUGH:
                ShowBoxes(ApplyBoxClick(ShownBoxes(), WindowBox::kClickThrough));
                return TRUE;
            case IDC_PREF_AUTO_HIDE:
                ShowBoxes(ApplyBoxClick(ShownBoxes(), WindowBox::kAutoHide));
                return TRUE;
            case IDC_PREF_CALENDAR_HOTKEY_BOX:
            case IDC_PREF_PLANNER_HOTKEY_BOX:
                OnHotKeyBox(id);
                return TRUE;
            case IDC_PREF_BACKUP_REMINDERS:
                BackupReminders(dialog_, paths_.calendarDatPath);
                return TRUE;
            case IDC_PREF_RESTORE_REMINDERS:
                RestoreReminders(dialog_, paths_.calendarDatPath, target_.ReminderWindow());
                return TRUE;
            case IDC_PREF_PURGE_REMINDERS:
                OnPurge();
                return TRUE;
            case IDOK:
                OnOk();
                return TRUE;
            case IDCANCEL:
                OnCancel();
                return TRUE;
            default:
                return FALSE;
        }
    }

    void OnHotKeyBox(int box) {
        for (const HotKeyControls& hotKey : kHotKeyControls) {
            if (hotKey.box == box) {
                EnableWindow(Item(hotKey.control), Checked(box) ? TRUE : FALSE);
            }
        }
    }

    // The new opacity is shown at once; Cancel takes it back.
    void OnAlphaMoved() {
        const int alpha = static_cast<int>(SendMessageA(Item(IDC_PREF_ALPHA_SLIDER), TBM_GETPOS, 0, 0));
        settings_.alpha = alpha;
        SetDlgItemTextA(dialog_, IDC_PREF_ALPHA_TEXT, AlphaText(alpha).c_str());
        target_.PreviewAlpha(alpha);
    }

    // The purge is done once per opening: the button turns itself off.
    void OnPurge() {
        SendMessageA(target_.ReminderWindow(), RM_PURGE, 0, 0);
        HWND button = Item(IDC_PREF_PURGE_REMINDERS);
        if (GetFocus() == button) {
            SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
        }
        EnableWindow(button, FALSE);
    }

    // A cleared box stores no hot key (0 and 0), whatever its control shows.
    HotKey ChosenHotKey(const HotKeyControls& hotKey) const {
        if (!Checked(hotKey.box)) {
            return {};
        }
        const auto shown = static_cast<WORD>(SendDlgItemMessageA(dialog_, hotKey.control, HKM_GETHOTKEY, 0, 0));
        return {ControlToStoredModifiers(HIBYTE(shown)), LOBYTE(shown)};
    }

    // Hot keys that cannot be written (a read-only program folder) are
    // reported; the other settings still apply.
    void SaveHotKeys() {
        CLynIni ini;
        bool saved = ini.SetFileName(paths_.moduleIniPath) != 0;
        for (const HotKeyControls& hotKey : kHotKeyControls) {
            saved = saved && WriteHotKey(ini, hotKey.section, ChosenHotKey(hotKey)) == 0;
        }
        if (!saved) {
            MsgBox(dialog_, "快捷键保存失败！", MB_ICONWARNING);
        }
    }

    // Writing under HKEY_LOCAL_MACHINE needs rights the user may not have:
    // a switch that did not take is reported rather than left looking set.
    void SaveStartWithSystem() {
        bool done = false;
        if (Checked(IDC_PREF_START_WITH_SYSTEM)) {
            done = SetRegInfoValueEx(kRunKeyPath, kRunValueName, RunValueText(paths_.loaderPath)) != 0;
        } else {
            done = DeleteRegKey(kRunKeyPath, kRunValueName) != 0 || !RunValueExists();
        }
        if (!done) {
            MsgBox(dialog_, "开机自动运行设置失败！", MB_ICONWARNING);
        }
    }

    void OnOk() {
        SaveHotKeys();
        if (!target_.RegisterHotKeys()) {
            return;  // the user was told; another key can be chosen
        }
        CopyBoxes(ShownBoxes(), settings_);
        target_.ApplySettings();
        SaveStartWithSystem();
        EndDialog(dialog_, IDOK);
    }

    void OnCancel() {
        settings_.alpha = openingAlpha_;
        target_.PreviewAlpha(openingAlpha_);
        EndDialog(dialog_, IDCANCEL);
    }

    HINSTANCE resources_;
    WidgetSettings& settings_;
    const PreferencesPaths& paths_;
    IPreferencesTarget& target_;
    const int openingAlpha_;
    HWND dialog_ = nullptr;
};

}  // namespace

int ShowPreferences(HINSTANCE resources,
                    HWND owner,
                    WidgetSettings& settings,
                    const PreferencesPaths& paths,
                    IPreferencesTarget& target) {
    // The slider and the hot-key controls are common controls.
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    PreferencesDialog(resources, settings, paths, target).Run(owner);
    return 0;
}
