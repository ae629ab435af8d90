#pragma once

// ReminderPlanner: the month of reminders at a glance, "－日程提醒表". A
// modeless dialog owned by the desktop with the day grid, a heading, the
// month steps and the today view, and the selected day's detail list. It
// changes nothing itself: deletions go to the calendar window as RM_DELETE,
// new and opened reminders through its host's editors, and the host calls
// Refresh once the reminders changed. Everything happens on the thread that
// made it.

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/local_time.h"
#include "widget/calendar/holiday_table.h"
#include "widget/planner/planner_grid.h"
#include "widget/planner/reminder_planner_model.h"
#include "widget/reminders/reminder_item.h"
#include "widget/reminders/win32/modeless_dialog.h"

class PlannerGridControl;

// What the planner needs of the calendar window that owns it.
class IPlannerHost {
public:
    virtual ~IPlannerHost() = default;
    virtual const ReminderMap& PlannerReminders() const = 0;
    virtual const HolidayTable& PlannerHolidays() const = 0;
    // The window that takes RM_DELETE.
    virtual HWND PlannerMessageTarget() const = 0;
    // Opens `item` in its editor; `existing` for a stored reminder.
    virtual void OpenPlannerReminder(const ReminderItem& item, bool existing) = 0;
    virtual Moment PlannerNow() const = 0;
};

struct PlannerLook {
    PlannerGridColours colours;
    std::string cellImagePath;  // the grid's cell band image
};

class ReminderPlanner final : public ModelessDialog {
public:
    ReminderPlanner(IPlannerHost& host, HINSTANCE resources, PlannerLook look);
    ~ReminderPlanner() override;

    // Makes the window on first use, placed on four fifths of the work area
    // and then maximised, or shows it again. False when it cannot be made.
    bool Show();
    void Hide();
    bool IsShown() const;
    // The reminders changed: the cells, the heading and the list again.
    void Refresh();

    const PlannerNavigation& navigation() const { return navigation_; }

private:
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitDialog();
    void OnCommand(int command);
    INT_PTR OnNotify(const NMHDR& header);
    void OnGridNotify(UINT code, PlannerHit hit);
    void OnListContextMenu();
    void LayOutControls();

    GregorianDate Today() const;
    PlannerGridControl* Grid() const;
    // The cell of the selected day, or null.
    const PlannerCell* SelectedCell() const;
    // The grid, heading, list and buttons for the navigation's state.
    void ShowNavigationState();
    void FillList();
    void UpdateCommandStates();
    // The reminder of the selected list row, 0 for none.
    std::uint32_t SelectedRowReminder() const;

    void NewSchedule();
    void NewBirthday();
    void OpenReminder(std::uint32_t id);
    void DeleteSelectedRow();
    void DeleteDay();
    void DeleteMonth();
    void ToggleList();

    IPlannerHost& host_;
    HINSTANCE resources_;
    PlannerLook look_;
    PlannerNavigation navigation_;
    bool listShown_ = true;
};
