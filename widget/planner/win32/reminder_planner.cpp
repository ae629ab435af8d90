#include "widget/planner/win32/reminder_planner.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "common/win32/handles.h"
#include "services/product_services.h"
#include "widget/planner/win32/planner_grid_control.h"
#include "widget/planner/win32/planner_resources.h"
#include "widget/reminders/reminder_messages.h"

namespace {

// Pixels of the button row along the top, and the gaps around the parts.
constexpr int kBarHeight = 24;
constexpr int kMargin = 4;
constexpr int kHeadingWidth = 220;
// The detail list takes this share of the height, at least kMinListHeight.
constexpr int kListPercent = 30;
constexpr int kMinListHeight = 120;

// The buttons of the top row from the left, with their widths in pixels;
// the heading sits after the first.
struct BarButton {
    int id;
    int width;
};
constexpr BarButton kBarButtons[] = {
    {IDC_PLANNER_PREVIOUS_MONTH, 80}, {IDC_PLANNER_NEXT_MONTH, 80},    {IDC_PLANNER_TODAY, 60},
    {IDC_PLANNER_BACK, 60},           {IDC_PLANNER_NEW_SCHEDULE, 100}, {IDC_PLANNER_NEW_BIRTHDAY, 100},
    {IDC_PLANNER_DELETE_ITEM, 80},    {IDC_PLANNER_DELETE_DAY, 80},    {IDC_PLANNER_DELETE_MONTH, 80},
};
constexpr int kToggleButtonWidth = 80;

GregorianDate DateOf(Moment moment) {
    const LocalTime local = ToLocalTime(moment);
    return {local.year, local.month, local.day};
}

void SetText(HWND window, const std::string& text) {
    SetWindowTextA(window, text.c_str());
}

}  // namespace

ReminderPlanner::ReminderPlanner(IPlannerHost& host, HINSTANCE resources, PlannerLook look)
    : host_(host), resources_(resources), look_(std::move(look)), navigation_(DateOf(host.PlannerNow())) {}

ReminderPlanner::~ReminderPlanner() = default;

bool ReminderPlanner::Show() {
    if (window() != nullptr) {
        ShowWindow(window(), IsIconic(window()) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(window());
        return true;
    }
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    if (!RegisterGridClass(resources_) || !Create(resources_, IDD_REMINDER_PLANNER, "－日程提醒表")) {
        return false;
    }
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const PlannerRect place = PlannerWindowRect({work.left, work.top, work.right - work.left, work.bottom - work.top});
    SetWindowPos(window(), nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window(), SW_SHOWMAXIMIZED);
    SetForegroundWindow(window());
    return true;
}

void ReminderPlanner::Hide() {
    if (window() != nullptr) {
        ShowWindow(window(), SW_HIDE);
    }
}

bool ReminderPlanner::IsShown() const {
    return window() != nullptr && IsWindowVisible(window());
}

void ReminderPlanner::Refresh() {
    PlannerGridControl* grid = Grid();
    if (grid == nullptr) {
        return;
    }
    grid->SetToday(Today());
    FillCellItems(grid->grid(), host_.PlannerReminders(), host_.PlannerHolidays());
    grid->Redraw();
    FillList();
    UpdateCommandStates();
}

INT_PTR ReminderPlanner::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_SIZE:
            LayOutControls();
            return TRUE;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {640, 420};
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        default:
            return FALSE;
    }
}

void ReminderPlanner::OnInitDialog() {
    if (PlannerGridControl* grid = Grid()) {
        grid->SetColours(look_.colours);
        grid->SetCellImage(look_.cellImagePath);
    }
    const HWND list = Item(IDC_PLANNER_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (std::size_t i = 0; i < kDetailColumns.size(); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(kDetailColumns[i].title);
        column.cx = kDetailColumns[i].width;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    // The list owns its image list and destroys it with itself.
    HIMAGELIST images = ImageList_LoadImageA(resources_, MAKEINTRESOURCEA(IDB_REMINDER_LIST), 16, 0, RGB(0, 128, 128),
                                             IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (images != nullptr) {
        ListView_SetImageList(list, images, LVSIL_SMALL);
    }
    ShowNavigationState();
    LayOutControls();
}

void ReminderPlanner::OnCommand(int command) {
    switch (command) {
        case IDC_PLANNER_PREVIOUS_MONTH:
            if (navigation_.PreviousMonth(Today())) {
                ShowNavigationState();
            }
            break;
        case IDC_PLANNER_NEXT_MONTH:
            if (navigation_.NextMonth(Today())) {
                ShowNavigationState();
            }
            break;
        case IDC_PLANNER_TODAY:
            if (navigation_.ShowToday(Today())) {
                ShowNavigationState();
            }
            break;
        case IDC_PLANNER_BACK:
            if (navigation_.Back()) {
                ShowNavigationState();
            }
            break;
        case IDC_PLANNER_NEW_SCHEDULE:
            NewSchedule();
            break;
        case IDC_PLANNER_NEW_BIRTHDAY:
            NewBirthday();
            break;
        case IDC_PLANNER_DELETE_ITEM:
            DeleteSelectedRow();
            break;
        case IDC_PLANNER_DELETE_DAY:
            DeleteDay();
            break;
        case IDC_PLANNER_DELETE_MONTH:
            DeleteMonth();
            break;
        case IDC_PLANNER_TOGGLE_LIST:
            ToggleList();
            break;
        case IDCANCEL:
            // Closing only hides: the planner is shown again as it was.
            Hide();
            break;
        default:
            break;
    }
}

INT_PTR ReminderPlanner::OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_PLANNER_GRID &&
        (header.code == kPlannerGridClicked || header.code == kPlannerGridDoubleClicked)) {
        OnGridNotify(header.code, reinterpret_cast<const PlannerGridNotify&>(header).hit);
        return TRUE;
    }
    if (header.idFrom != IDC_PLANNER_LIST) {
        return FALSE;
    }
    switch (header.code) {
        case LVN_ITEMCHANGED:
            UpdateCommandStates();
            return TRUE;
        case NM_DBLCLK:
            // A row opens its reminder; the list's empty part makes a new one.
            if (const std::uint32_t id = SelectedRowReminder(); id != 0) {
                OpenReminder(id);
            } else {
                NewSchedule();
            }
            return TRUE;
        case NM_RCLICK:
            OnListContextMenu();
            return TRUE;
        default:
            return FALSE;
    }
}

// A click selects the cell's day; a double click on a birthday or a
// reminder opens it, anywhere else in the cell it makes a new reminder.
void ReminderPlanner::OnGridNotify(UINT code, PlannerHit hit) {
    PlannerGridControl* grid = Grid();
    if (grid == nullptr || hit.cell < 0 || hit.cell >= kPlannerCellCount) {
        return;
    }
    const PlannerCell& cell = grid->grid().cells()[static_cast<std::size_t>(hit.cell)];
    navigation_.Select(cell.date);
    grid->SetSelectedCell(hit.cell);
    SetText(Item(IDC_PLANNER_HEADING), PlannerHeading(navigation_.selected(), navigation_.year(), navigation_.month()));
    FillList();
    UpdateCommandStates();
    if (code != kPlannerGridDoubleClicked) {
        return;
    }
    const bool onReminder = hit.item >= 0 && hit.item < static_cast<int>(cell.items.size()) &&
                            cell.items[static_cast<std::size_t>(hit.item)].kind != PlannerItemKind::kHoliday;
    if (onReminder) {
        OpenReminder(cell.items[static_cast<std::size_t>(hit.item)].reminderId);
    } else {
        NewSchedule();
    }
}

void ReminderPlanner::OnListContextMenu() {
    const DetailMenuState state =
        DetailMenuStateOf(SelectedRowReminder() != 0, SelectedCell(), navigation_.year(), navigation_.month());
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return;
    }
    const auto enabled = [](bool on) { return static_cast<UINT>(MF_STRING | (on ? MF_ENABLED : MF_GRAYED)); };
    AppendMenuA(menu.get(), enabled(state.deleteRow), IDC_PLANNER_DELETE_ITEM, "删除该提醒");
    AppendMenuA(menu.get(), enabled(state.deleteDay), IDC_PLANNER_DELETE_DAY, "删除当天所有提醒");
    AppendMenuA(menu.get(), enabled(state.deleteMonth), IDC_PLANNER_DELETE_MONTH, "删除本月所有提醒");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.get(), MF_STRING, IDC_PLANNER_NEW_SCHEDULE, "新建日程提醒");
    AppendMenuA(menu.get(), MF_STRING, IDC_PLANNER_NEW_BIRTHDAY, "新建生日提醒");
    POINT pointer = {};
    GetCursorPos(&pointer);
    const int chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                      pointer.x, pointer.y, 0, window(), nullptr);
    if (chosen != 0) {
        OnCommand(chosen);
    }
}

void ReminderPlanner::LayOutControls() {
    RECT client = {};
    GetClientRect(window(), &client);
    const int width = client.right;
    const int height = client.bottom;
    int x = kMargin;
    for (const BarButton& button : kBarButtons) {
        MoveWindow(Item(button.id), x, kMargin, button.width, kBarHeight, TRUE);
        x += button.width + kMargin;
        if (button.id == IDC_PLANNER_PREVIOUS_MONTH) {
            MoveWindow(Item(IDC_PLANNER_HEADING), x, kMargin, kHeadingWidth, kBarHeight, TRUE);
            x += kHeadingWidth + kMargin;
        }
    }
    MoveWindow(Item(IDC_PLANNER_TOGGLE_LIST), std::max(x, width - kMargin - kToggleButtonWidth), kMargin,
               kToggleButtonWidth, kBarHeight, TRUE);
    const int top = kBarHeight + 2 * kMargin;
    const int listHeight = listShown_ ? std::max(kMinListHeight, height * kListPercent / 100) : 0;
    const int gridBottom = std::max(top, height - kMargin - (listShown_ ? listHeight + kMargin : 0));
    MoveWindow(Item(IDC_PLANNER_GRID), kMargin, top, std::max(width - 2 * kMargin, 0), gridBottom - top, TRUE);
    MoveWindow(Item(IDC_PLANNER_LIST), kMargin, gridBottom + kMargin, std::max(width - 2 * kMargin, 0), listHeight,
               TRUE);
    ShowWindow(Item(IDC_PLANNER_LIST), listShown_ ? SW_SHOW : SW_HIDE);
}

GregorianDate ReminderPlanner::Today() const {
    return DateOf(host_.PlannerNow());
}

PlannerGridControl* ReminderPlanner::Grid() const {
    return window() != nullptr ? PlannerGridControl::Of(Item(IDC_PLANNER_GRID)) : nullptr;
}

const PlannerCell* ReminderPlanner::SelectedCell() const {
    const PlannerGridControl* grid = Grid();
    if (grid == nullptr || !navigation_.selected()) {
        return nullptr;
    }
    const int cell = grid->grid().CellOf(*navigation_.selected());
    return cell >= 0 ? &grid->grid().cells()[static_cast<std::size_t>(cell)] : nullptr;
}

void ReminderPlanner::ShowNavigationState() {
    PlannerGridControl* grid = Grid();
    if (grid == nullptr) {
        return;
    }
    grid->SetToday(Today());
    grid->SetShownDate(navigation_.ShownDate(), navigation_.GridMode(), true);
    FillCellItems(grid->grid(), host_.PlannerReminders(), host_.PlannerHolidays());
    grid->SetSelectedCell(navigation_.selected() ? grid->grid().CellOf(*navigation_.selected()) : -1);
    grid->Redraw();
    SetText(Item(IDC_PLANNER_HEADING), PlannerHeading(navigation_.selected(), navigation_.year(), navigation_.month()));
    const bool monthView = !navigation_.inTodayView();
    for (int id : {IDC_PLANNER_PREVIOUS_MONTH, IDC_PLANNER_NEXT_MONTH, IDC_PLANNER_TODAY}) {
        EnableWindow(Item(id), monthView);
    }
    EnableWindow(Item(IDC_PLANNER_BACK), !monthView);
    FillList();
    UpdateCommandStates();
}

// The selected row is kept across a refill when its reminder is still listed.
void ReminderPlanner::FillList() {
    const HWND list = Item(IDC_PLANNER_LIST);
    const std::uint32_t keep = SelectedRowReminder();
    ListView_DeleteAllItems(list);
    const PlannerCell* cell = SelectedCell();
    if (cell == nullptr) {
        return;
    }
    int index = 0;
    for (const DetailRow& row : DetailRows(*cell, host_.PlannerReminders())) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index;
        item.pszText = const_cast<char*>(row.texts[0].c_str());
        item.iImage = row.image;
        item.lParam = static_cast<LPARAM>(row.reminderId);
        const int inserted = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (inserted < 0) {
            continue;
        }
        for (int column = 1; column < kDetailColumnCount; ++column) {
            LVITEMA text = {};
            text.iSubItem = column;
            text.pszText = const_cast<char*>(row.texts[static_cast<std::size_t>(column)].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, inserted, reinterpret_cast<LPARAM>(&text));
        }
        if (row.reminderId == keep) {
            ListView_SetItemState(list, inserted, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
        ++index;
    }
}

void ReminderPlanner::UpdateCommandStates() {
    const DetailMenuState state =
        DetailMenuStateOf(SelectedRowReminder() != 0, SelectedCell(), navigation_.year(), navigation_.month());
    EnableWindow(Item(IDC_PLANNER_DELETE_ITEM), state.deleteRow);
    EnableWindow(Item(IDC_PLANNER_DELETE_DAY), state.deleteDay);
    EnableWindow(Item(IDC_PLANNER_DELETE_MONTH), state.deleteMonth);
    SetWindowTextA(Item(IDC_PLANNER_TOGGLE_LIST), listShown_ ? "隐藏列表" : "显示列表");
}

std::uint32_t ReminderPlanner::SelectedRowReminder() const {
    const HWND list = Item(IDC_PLANNER_LIST);
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0) {
        return 0;
    }
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != FALSE
               ? static_cast<std::uint32_t>(item.lParam)
               : 0;
}

// New reminders go on the selected day, or the 1st of the month shown when
// no day is selected.
void ReminderPlanner::NewSchedule() {
    const GregorianDate day =
        navigation_.selected().value_or(GregorianDate{navigation_.year(), navigation_.month(), 1});
    host_.OpenPlannerReminder(NewScheduleReminderOn(day, host_.PlannerNow()), false);
}

void ReminderPlanner::NewBirthday() {
    const GregorianDate day =
        navigation_.selected().value_or(GregorianDate{navigation_.year(), navigation_.month(), 1});
    host_.OpenPlannerReminder(NewBirthdayReminder(day, host_.PlannerNow()), false);
}

void ReminderPlanner::OpenReminder(std::uint32_t id) {
    const ReminderMap& reminders = host_.PlannerReminders();
    if (const auto found = reminders.find(id); found != reminders.end()) {
        host_.OpenPlannerReminder(found->second, true);
    }
}

void ReminderPlanner::DeleteSelectedRow() {
    if (const std::uint32_t id = SelectedRowReminder(); id != 0) {
        SendMessageA(host_.PlannerMessageTarget(), RM_DELETE, id, 1);
    }
}

void ReminderPlanner::DeleteDay() {
    const PlannerCell* cell = SelectedCell();
    if (cell == nullptr) {
        return;
    }
    const std::vector<std::uint32_t> ids = DayReminderIds(*cell);
    const std::weak_ptr<const int> alive = Lifetime();
    if (ids.empty() || MsgBox(window(), DeleteDayQuestion(cell->date).c_str(), MB_OKCANCEL | MB_ICONQUESTION) != IDOK ||
        alive.expired()) {
        return;
    }
    for (const std::uint32_t id : ids) {
        SendMessageA(host_.PlannerMessageTarget(), RM_DELETE, id, 0);
    }
}

void ReminderPlanner::DeleteMonth() {
    const PlannerGridControl* grid = Grid();
    if (grid == nullptr) {
        return;
    }
    const std::vector<std::uint32_t> ids = MonthReminderIds(grid->grid());
    const std::weak_ptr<const int> alive = Lifetime();
    if (ids.empty() ||
        MsgBox(window(), DeleteMonthQuestion(navigation_.year(), navigation_.month()).c_str(),
               MB_OKCANCEL | MB_ICONQUESTION) != IDOK ||
        alive.expired()) {
        return;
    }
    for (const std::uint32_t id : ids) {
        SendMessageA(host_.PlannerMessageTarget(), RM_DELETE, id, 0);
    }
}

void ReminderPlanner::ToggleList() {
    listShown_ = !listShown_;
    LayOutControls();
    UpdateCommandStates();
}
