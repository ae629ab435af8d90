#pragma once

// CCalendarWindow: the widget's desktop window "ZELLUM-CalendarWindow". A
// layered pop-up that draws the calendar view itself, runs its commands,
// owns the reminder store, the weather section's work, the clock window, the edge strip it hides to and
// the global hot keys, and saves the settings and reminders when the
// pointer leaves it and when it is destroyed.

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "common/win32/handles.h"
#include "controls/sound_player.h"
#include "controls/win32/layer_window.h"
#include "widget/calendar/holiday_table.h"
#include "widget/clock/win32/clock_window.h"
#include "widget/planner/win32/reminder_planner.h"
#include "widget/reminders/missed_reminders.h"
#include "widget/reminders/reminder_store.h"
#include "widget/reminders/snooze_list.h"
#include "widget/reminders/win32/birthday_editor.h"
#include "widget/reminders/win32/missed_reminders_window.h"
#include "widget/reminders/win32/reminder_popup.h"
#include "widget/reminders/win32/schedule_editor.h"
#include "widget/settings/win32/hot_keys.h"
#include "widget/settings/win32/preferences_dialog.h"
#include "widget/view/calendar_view.h"
#include "widget/win32/calendar_layout.h"
#include "widget/win32/calendar_painter.h"
#include "widget/win32/edge_strip.h"
#include "widget/win32/weather_sequence.h"
#include "widget/win32/widget_module.h"

inline constexpr char kCalendarWindowTitle[] = "ZELLUM-CalendarWindow";
inline constexpr char kCalendarWindowClass[] = "ZELLUM-CalendarWindowClass";
// Posted by the edge strip: bring the calendar back.
inline constexpr UINT kShowFromEdgeMessage = 0x04FF;
// Sent to the loader's window on a right click: it opens its tray menu.
inline constexpr UINT kShowTrayMenuMessage = 3026;

class CCalendarWindow final : public cmmctrls::CLayerWindow, public IPreferencesTarget, public IPlannerHost {
public:
    explicit CCalendarWindow(WidgetModule& module);
    ~CCalendarWindow() override;

    // Creates the window; it sets itself up while it is being created.
    bool Create();
    // The saved rectangle (a negative left or top taken as 0), the topmost
    // state and the click-through styles; the clock window follows.
    void Place();
    // Hides the window, to an edge strip when hide-to-edge is on; the result
    // of hiding it.
    BOOL Hide();
    // Shows the window at the top of the z-order without moving it, with the
    // clock and the other windows it owns above it; the result of raising it.
    BOOL ShowOnTop();
    // Reads the skin name again and shows the window in it; the result of
    // showing the clock window.
    int ChangeSkins();
    // The preferences dialog, modal.
    int RunPreferences();
    // Shows the reminder planner, making it on first use, or hides it.
    // False when it had to be made and could not be.
    bool ShowPlanner(bool show);

    void ApplySettings() override;
    void PreviewAlpha(int alpha) override;
    bool RegisterHotKeys() override;
    HWND ReminderWindow() override;

    const ReminderMap& PlannerReminders() const override;
    const HolidayTable& PlannerHolidays() const override;
    HWND PlannerMessageTarget() const override;
    void OpenPlannerReminder(const ReminderItem& item, bool existing) override;
    Moment PlannerNow() const override;

    bool hidden() const { return hidden_; }
    const CalendarView& view() const { return *view_; }
    const CalendarLayout& layout() const { return layout_; }
    const CReminderStore& reminders() const { return *store_; }
    HWND edgeStrip() const { return edgeStrip_.GetSafeHwnd(); }
    HWND clockWindow() const { return clock_.GetSafeHwnd(); }
    const ClockWindow& clock() const { return clock_; }
    // The record the reminder editor opened with, from the last "new" or
    // "edit" command.
    const std::optional<ReminderItem>& editorRecord() const { return editorRecord_; }
    // The editors once made (null before their first use) and the open
    // pop-ups.
    const ScheduleEditor* scheduleEditor() const { return scheduleEditor_.get(); }
    const BirthdayEditor* birthdayEditor() const { return birthdayEditor_.get(); }
    std::size_t popupCount() const { return popups_.size(); }
    // The planner once made (null before its first use).
    const ReminderPlanner* planner() const { return planner_.get(); }
    // The open "错过的日程提醒" window (null while none is open) and the
    // alerts put off with "稍后提醒".
    const MissedRemindersWindow* missedWindow() const { return missedWindow_.get(); }
    const SnoozeList& snoozes() const { return snoozes_; }
    // What the reminder state timer does, at `now`: alerts the snoozes that
    // have come due, and about once a minute records `now` as checked and
    // saves ReminderState.dat, listing what was missed when the last check
    // lies too long back (the computer slept).
    void CheckReminderState(Moment now);
    // The weather section's work (null only while the window is not made).
    const WeatherSequence* weather() const { return weather_.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTA* create) override;

private:
    // calendar_window.cpp: life, timers, placement, drawing and saving.
    void OnDestroy();
    void OnTimer(UINT_PTR timer);
    // Saves when the pointer has left the window and hides a window near the
    // top (auto-hide); looks again in a second only while the pointer is over
    // the window's area but not over the window itself.
    void WatchPointer();
    // Selects the new day when the date has changed, and sets when to look
    // again.
    void CheckRollover();
    // The watch begins a few seconds from now.
    void RestartPointerWatch();
    void LoadSkin();
    std::string SkinFolder() const;
    void Redraw();
    void MoveClock();
    void SaveAll(HWND messageOwner);
    bool SaveReminders();
    void ReportSaveFailure(HWND messageOwner, bool always);
    void OnWindowPosChanging(WINDOWPOS* position) const;
    void OnWindowPosChanged(const WINDOWPOS& position);

    // calendar_window_input.cpp: pointer, commands, menus, reminder messages.
    bool OnReminderMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(int x, int y);
    void OnMouseLeave();
    void OnLeftButtonDown(int x, int y);
    void OnLeftButtonUp(int x, int y);
    void OnHotKey(int id);
    bool IsTitleDoubleClick(int x, int y);
    void RunCommand(std::uint32_t command);
    void CarryOut(CommandResult result);
    void RunMenu(HMENU menu);
    void BuildMenus();
    void DeleteReminder(std::uint32_t id, bool ask);
    void ReloadReminders();
    void RemindersChanged();

    // calendar_window_reminders.cpp: the editors, due reminders, pop-ups.
    bool OnReminderWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OpenEditor(const ReminderItem& item, bool existing);
    bool OpenReminderLineAt(int x, int y);
    void OpenStoredReminder(std::uint32_t id);
    void StoreEdited(ReminderItem item);
    void AlertReminder(std::uint32_t id);
    void CloseReminderWindows();
    void RefreshPlanner();

    // calendar_window_state.cpp: ReminderState.dat, snoozes, missed reminders.
    bool OnReminderStateMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void StartReminderState();
    void StopReminderState();
    std::string ReminderStatePath() const;
    void SaveReminderState();
    bool AlertDueSnoozes(Moment now);
    void SnoozeAlert(std::uint32_t id, int minutes);
    void ShowMissedReminders(Moment checkedUpTo, Moment now);
    void ForgetReminderState(std::uint32_t id);
    void CarrySnoozesOver(const std::vector<SnoozedAlert>& saved);

    // calendar_window_weather.cpp: the weather section's commands and menu.
    void StartWeather();
    bool OnWeatherTimer(UINT_PTR timer);
    void OnWeatherCommand(std::uint32_t command);
    void RunCityMenu();
    void ChangeCity(std::string_view city);
    WeatherShown ShownWeather() const;

    WidgetModule& module_;
    SystemClock systemClock_;
    HolidayTable holidays_;
    std::unique_ptr<CReminderStore> store_;
    std::unique_ptr<CalendarView> view_;
    CalendarPainter painter_;
    CalendarLayout layout_;
    PaintState paintState_;
    std::string skinName_;
    int alpha_ = 255;  // the opacity drawn with (the dialog previews others)
    ClockWindow clock_;
    EdgeStrip edgeStrip_;
    HotKeyRegistry hotKeys_;
    UniqueMenu newMenu_;
    UniqueMenu monthMenu_;
    std::optional<ReminderItem> editorRecord_;
    std::unique_ptr<ScheduleEditor> scheduleEditor_;
    std::unique_ptr<BirthdayEditor> birthdayEditor_;
    std::map<HWND, std::unique_ptr<ReminderPopup>> popups_;
    std::unique_ptr<ReminderPlanner> planner_;
    SnoozeList snoozes_;
    // Up to when the reminders were checked; none before the first run.
    std::optional<Moment> checkedUpTo_;
    std::unique_ptr<MissedRemindersWindow> missedWindow_;
    std::unique_ptr<WeatherSequence> weather_;
    UniqueMenu cityMenu_;
    // The last press on the title: a second one soon after, near it, is a
    // double click (the window's class takes no double clicks, so that
    // quick presses on its buttons stay presses).
    DWORD titlePressTime_ = 0;
    POINT titlePressPoint_ = {};
    bool titlePressed_ = false;
    cmmctrls::ISoundPlayer* soundPlayer_ = nullptr;  // QvCTRL's, never freed
    bool hidden_ = false;
    bool pointerWasInside_ = false;
    // The watch's start delay has passed: leaving the window runs the watch.
    bool pointerWatched_ = false;
    bool trackingLeave_ = false;
    bool saveFailureShown_ = false;
};
