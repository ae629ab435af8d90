#include "widget/planner/win32/planner_grid_control.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "widget/planner/tests/win32/planner_test_images.h"

namespace {

using planner_test::Argb;

constexpr int kGridId = 4321;
// Where the parent sits on the test display, clear of everything else.
constexpr int kLeft = 100;
constexpr int kTop = 80;
constexpr int kWidth = 700;
constexpr int kHeight = 560;
constexpr GregorianDate kShown{2008, 8, 8};
constexpr int kItemCell = 9;    // 6 August, with two entries
constexpr int kEmptyCell = 20;  // 17 August, with none
constexpr int kSelectedCell = 16;
constexpr char kParentClass[] = "PlannerGridTestParent";

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

void PointerAway() {
    SetCursorPos(1279, 799);  // away from every test's windows
}

// Pumps the test thread's messages until `condition` holds; false after 3 s.
// Leaving is noticed late: the system looks for it at the hover interval.
template <typename Condition>
bool PumpUntil(Condition condition) {
    for (int waited = 0; waited < 3000; waited += 50) {
        if (condition()) {
            return true;
        }
        testkit::PumpMessages(50);
    }
    return condition();
}

POINT Centre(const PlannerRect& rect) {
    return {rect.x + rect.width / 2, rect.y + rect.height / 2};
}

RECT ToRect(const PlannerRect& rect) {
    return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

struct Notified {
    WPARAM wParam = 0;
    HWND from = nullptr;
    UINT_PTR id = 0;
    UINT code = 0;
    PlannerHit hit;
};

// A plain top-level window that holds the grid and records its
// notifications.
class Parent {
public:
    Parent() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &Parent::Procedure;
        windowClass.hInstance = Instance();
        windowClass.lpszClassName = kParentClass;
        RegisterClassA(&windowClass);  // fails harmlessly when an earlier test registered it
        window_.reset(CreateWindowExA(0, kParentClass, "", WS_POPUP | WS_VISIBLE, kLeft, kTop, kWidth, kHeight, nullptr,
                                      nullptr, Instance(), this));
    }

    HWND window() const { return window_.get(); }
    std::vector<Notified> notified;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        } else if (message == WM_NOTIFY) {
            auto* self = reinterpret_cast<Parent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            const auto* notify = reinterpret_cast<const PlannerGridNotify*>(lParam);
            self->notified.push_back(
                {wParam, notify->header.hwndFrom, notify->header.idFrom, notify->header.code, notify->hit});
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    UniqueWindow window_;
};

class PlannerGridControlTest : public testing::Test {
protected:
    void SetUp() override {
        PointerAway();
        ASSERT_TRUE(RegisterGridClass(Instance()));
        ASSERT_NE(parent_.window(), nullptr);
        grid_ =
            CreateWindowExA(0, kPlannerGridClass, "", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, parent_.window(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kGridId)), Instance(), nullptr);
        ASSERT_NE(grid_, nullptr);
        control_ = PlannerGridControl::Of(grid_);
        ASSERT_NE(control_, nullptr);
        control_->SetToday(kShown);
        control_->SetShownDate(kShown, kPlannerMonthMode, true);
        control_->grid().cells()[kItemCell].items = {
            {PlannerItemKind::kSchedule, 7, "项目评审", {47, 107, 222}},
            {PlannerItemKind::kBirthday, 8, "小明生日", {214, 59, 59}},
        };
        control_->Redraw();
    }

    void TearDown() override { PointerAway(); }

    const PlannerGrid& grid() const { return control_->grid(); }

    void Mouse(UINT message, POINT at) const {
        SendMessageA(grid_, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y));
    }

    POINT OnScreen(POINT at) const {
        ClientToScreen(grid_, &at);
        return at;
    }

    // The area waiting to be painted, as a region; null when none is.
    UniqueGdiObject UpdateRegion() const {
        UniqueGdiObject region(CreateRectRgn(0, 0, 0, 0));
        return GetUpdateRgn(grid_, static_cast<HRGN>(region.get()), FALSE) == NULLREGION ? UniqueGdiObject()
                                                                                         : std::move(region);
    }

    bool UpdateRegionIs(std::initializer_list<int> cells) const {
        UniqueGdiObject expected(CreateRectRgn(0, 0, 0, 0));
        for (int cell : cells) {
            const RECT rect = ToRect(grid().CellRect(cell));
            UniqueGdiObject part(CreateRectRgnIndirect(&rect));
            CombineRgn(static_cast<HRGN>(expected.get()), static_cast<HRGN>(expected.get()),
                       static_cast<HRGN>(part.get()), RGN_OR);
        }
        UniqueGdiObject actual = UpdateRegion();
        return actual && EqualRgn(static_cast<HRGN>(actual.get()), static_cast<HRGN>(expected.get())) != FALSE;
    }

    std::optional<testkit::Image> Screenshot(const char* name) const {
        UpdateWindow(grid_);
        testkit::PumpMessages(100);
        const std::string path = std::string(PLANNER_SCREENSHOT_DIR) + "/" + name;
        if (!testkit::SaveWindowPng(grid_, path)) {
            return std::nullopt;
        }
        return testkit::LoadImageFile(path);
    }

    Parent parent_;
    HWND grid_ = nullptr;
    PlannerGridControl* control_ = nullptr;
};

TEST(PlannerGridClass, IsRegisteredOnceWithItsStyleCursorAndNoBackground) {
    UnregisterClassA(kPlannerGridClass, Instance());  // from an earlier test
    ASSERT_TRUE(RegisterGridClass(Instance()));
    WNDCLASSEXA first = {};
    first.cbSize = sizeof first;
    ASSERT_TRUE(GetClassInfoExA(Instance(), kPlannerGridClass, &first));
    ASSERT_TRUE(RegisterGridClass(Instance()));
    WNDCLASSEXA second = {};
    second.cbSize = sizeof second;
    ASSERT_TRUE(GetClassInfoExA(Instance(), kPlannerGridClass, &second));

    EXPECT_EQ(second.lpfnWndProc, first.lpfnWndProc);
    EXPECT_EQ(second.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
    EXPECT_EQ(second.hbrBackground, nullptr);
    EXPECT_EQ(second.hCursor, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_TRUE(UnregisterClassA(kPlannerGridClass, Instance()));
    EXPECT_FALSE(UnregisterClassA(kPlannerGridClass, Instance()));
}

TEST_F(PlannerGridControlTest, OfFindsTheControlOfGridWindowsOnly) {
    EXPECT_EQ(PlannerGridControl::Of(grid_), control_);
    EXPECT_EQ(control_->window(), grid_);
    // A class whose name merely begins with the grid's, holding a pointer
    // that is no control.
    constexpr char kLongerName[] = "ZELLUMCALCTRLX";
    WNDCLASSA longer = {};
    longer.lpfnWndProc = DefWindowProcA;
    longer.hInstance = Instance();
    longer.lpszClassName = kLongerName;
    RegisterClassA(&longer);
    UniqueWindow impostor(
        CreateWindowExA(0, kLongerName, "", WS_CHILD, 0, 0, 10, 10, parent_.window(), nullptr, Instance(), nullptr));
    ASSERT_TRUE(impostor);
    SetWindowLongPtrA(impostor.get(), GWLP_USERDATA, 0x1234);
    for (HWND other : {parent_.window(), impostor.get(), static_cast<HWND>(nullptr)}) {
        EXPECT_EQ(PlannerGridControl::Of(other), nullptr) << testkit::WindowClassName(other);
    }
    impostor.reset();
    UnregisterClassA(kLongerName, Instance());
}

TEST_F(PlannerGridControlTest, ShowsTheMonthOrTheWeekLaidOutInItsWindow) {
    EXPECT_EQ(control_->DisplayMode(), kPlannerMonthMode);
    EXPECT_EQ(grid().cells()[0].date, (GregorianDate{2008, 7, 28}));
    EXPECT_EQ(grid().header().height, GetSystemMetrics(SM_CXVSCROLL));
    const PlannerRect last = grid().CellRect(41);
    EXPECT_EQ(last.x + last.width, kWidth);
    EXPECT_EQ(last.y + last.height, kHeight);

    control_->SetShownDate(kShown, kPlannerWeekMode, true);
    EXPECT_EQ(control_->DisplayMode(), kPlannerWeekMode);
    EXPECT_EQ(grid().ShownCellCount(), 7);
    const PlannerRect sunday = grid().CellRect(grid().FirstShownCell() + 6);
    EXPECT_EQ(sunday.x + sunday.width, kWidth);
    EXPECT_EQ(sunday.y + sunday.height, kHeight);

    // Any other mode is the month.
    control_->SetShownDate(kShown, 7, true);
    EXPECT_EQ(control_->DisplayMode(), kPlannerMonthMode);
}

TEST_F(PlannerGridControlTest, ResizingLaysTheCellsOutAgain) {
    MoveWindow(grid_, 0, 0, 350, 300, TRUE);
    const PlannerRect last = grid().CellRect(41);
    EXPECT_EQ(last.x + last.width, 350);
    EXPECT_EQ(last.y + last.height, 300);
}

TEST_F(PlannerGridControlTest, ClicksOnCellsTellTheParentWhatWasHit) {
    struct Case {
        UINT message;
        PlannerHit target;
        UINT code;
    };
    for (const Case& c : {Case{WM_LBUTTONDOWN, {kEmptyCell, -1}, kPlannerGridClicked},
                          Case{WM_LBUTTONDBLCLK, {kEmptyCell, -1}, kPlannerGridDoubleClicked},
                          Case{WM_LBUTTONDOWN, {kItemCell, 1}, kPlannerGridClicked},
                          Case{WM_LBUTTONDBLCLK, {kItemCell, 0}, kPlannerGridDoubleClicked}}) {
        SCOPED_TRACE(testing::Message() << c.message << " on " << c.target.cell << "/" << c.target.item);
        parent_.notified.clear();
        SetFocus(parent_.window());
        const PlannerRect where =
            c.target.item < 0 ? grid().CellRect(c.target.cell) : grid().ItemRect(c.target.cell, c.target.item);
        Mouse(c.message, Centre(where));
        ASSERT_EQ(parent_.notified.size(), 1u);
        const Notified& told = parent_.notified[0];
        EXPECT_EQ(told.code, c.code);
        EXPECT_EQ(told.hit, c.target);
        EXPECT_EQ(told.from, grid_);
        EXPECT_EQ(told.id, static_cast<UINT_PTR>(kGridId));
        EXPECT_EQ(told.wParam, static_cast<WPARAM>(kGridId));
        EXPECT_EQ(GetFocus(), grid_);
    }
}

TEST_F(PlannerGridControlTest, ClicksOutsideTheCellsTellNothing) {
    Mouse(WM_LBUTTONDOWN, {kWidth / 2, grid().header().height / 2});
    Mouse(WM_LBUTTONDBLCLK, {kWidth / 2, grid().header().height / 2});
    EXPECT_TRUE(parent_.notified.empty());
}

// The parent decides the selection; the control redraws the two cells.
TEST_F(PlannerGridControlTest, SelectingACellRedrawsTheOldAndTheNewCellOnly) {
    ValidateRect(grid_, nullptr);
    control_->SetSelectedCell(kSelectedCell);
    EXPECT_EQ(grid().selectedCell(), kSelectedCell);
    EXPECT_TRUE(UpdateRegionIs({kSelectedCell}));
    ValidateRect(grid_, nullptr);
    control_->SetSelectedCell(kEmptyCell);
    EXPECT_TRUE(UpdateRegionIs({kSelectedCell, kEmptyCell}));
    ValidateRect(grid_, nullptr);
    control_->SetSelectedCell(kEmptyCell);
    EXPECT_FALSE(UpdateRegion());
}

TEST_F(PlannerGridControlTest, MovingThePointerSetsTheHover) {
    struct Case {
        const char* name;
        POINT at;
        PlannerHit hover;
    };
    for (const Case& c : {Case{"a cell", Centre(grid().CellRect(kEmptyCell)), {kEmptyCell, -1}},
                          Case{"an entry", Centre(grid().ItemRect(kItemCell, 1)), {kItemCell, 1}},
                          Case{"the header", {kWidth / 2, 2}, {-1, -1}}}) {
        SCOPED_TRACE(c.name);
        Mouse(WM_MOUSEMOVE, c.at);
        EXPECT_EQ(grid().hover(), c.hover);
    }
}

TEST_F(PlannerGridControlTest, AHoverChangeRedrawsTheCellsItLeftAndEntered) {
    UpdateWindow(grid_);
    Mouse(WM_MOUSEMOVE, Centre(grid().CellRect(kEmptyCell)));
    EXPECT_TRUE(UpdateRegionIs({kEmptyCell}));
    ValidateRect(grid_, nullptr);
    Mouse(WM_MOUSEMOVE, {grid().CellRect(kEmptyCell).x + 3, grid().CellRect(kEmptyCell).y + 3});
    EXPECT_FALSE(UpdateRegion());
    Mouse(WM_MOUSEMOVE, Centre(grid().CellRect(kItemCell)));
    EXPECT_TRUE(UpdateRegionIs({kEmptyCell, kItemCell}));
    ValidateRect(grid_, nullptr);
    // From the cell's empty part onto one of its entries.
    Mouse(WM_MOUSEMOVE, Centre(grid().ItemRect(kItemCell, 0)));
    EXPECT_TRUE(UpdateRegionIs({kItemCell}));
}

// Real input: the pointer over a cell and away again, and a double click,
// which the window gets as such only through its class style.
TEST_F(PlannerGridControlTest, TheRealPointerHoversLeavesAndDoubleClicks) {
    const POINT cell = OnScreen(Centre(grid().CellRect(kEmptyCell)));
    SetForegroundWindow(parent_.window());
    ASSERT_TRUE(SetCursorPos(cell.x, cell.y));
    EXPECT_TRUE(PumpUntil([&] { return grid().hover() == PlannerHit{kEmptyCell, -1}; }));
    PointerAway();
    EXPECT_TRUE(PumpUntil([&] { return grid().hover() == PlannerHit{}; }));

    ASSERT_TRUE(SetCursorPos(cell.x, cell.y));
    testkit::PumpMessages(100);
    INPUT inputs[4] = {};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
    testkit::PumpMessages(300);
    ASSERT_EQ(parent_.notified.size(), 2u);
    EXPECT_EQ(parent_.notified[0].code, kPlannerGridClicked);
    EXPECT_EQ(parent_.notified[1].code, kPlannerGridDoubleClicked);
    EXPECT_EQ(parent_.notified[1].hit, (PlannerHit{kEmptyCell, -1}));
}

TEST_F(PlannerGridControlTest, DrawsBothModesWithoutACellImage) {
    control_->SetCellImage("C:\\no such folder\\calcell.png");
    const PlannerGridColours colours;
    for (int mode : {kPlannerMonthMode, kPlannerWeekMode}) {
        SCOPED_TRACE(mode);
        control_->SetShownDate(kShown, mode, true);
        control_->SetSelectedCell(grid().FirstShownCell() + 2);
        const std::optional<testkit::Image> shot = Screenshot(
            mode == kPlannerMonthMode ? "planner_grid_month_no_image.png" : "planner_grid_week_no_image.png");
        ASSERT_TRUE(shot.has_value());
        const PlannerRect selected = grid().CellRect(grid().selectedCell());
        EXPECT_EQ(shot->Pixel(selected.x + selected.width - 3, selected.y + 40) & 0xFFFFFF,
                  Argb(colours.selected) & 0xFFFFFF);
        // A band drawn from the header's colours, not the cell's fill.
        EXPECT_NE(shot->Pixel(selected.x + selected.width * 3 / 4, selected.y + 11) & 0xFFFFFF,
                  Argb(colours.selected) & 0xFFFFFF);
    }
}

// For reviewers: the month and the week with the shipped band image, today,
// a selection, entries, a hovered entry and a cell with more entries than
// lines.
TEST_F(PlannerGridControlTest, ScreenshotsOfBothModesWithTheShippedImage) {
    control_->SetCellImage(std::string(PLANNER_ART_DIR) + "/calcell.png");
    const PlannerGridColours colours;
    for (int mode : {kPlannerMonthMode, kPlannerWeekMode}) {
        SCOPED_TRACE(mode);
        control_->SetShownDate(kShown, mode, true);
        const int first = grid().FirstShownCell();
        control_->grid().cells()[first + 1].items = {
            {PlannerItemKind::kHoliday, 0, "立秋", {214, 59, 59}},
            {PlannerItemKind::kSchedule, 7, "项目评审会议（第二会议室）", {47, 107, 222}},
        };
        control_->grid().cells()[first + 3].items = {{PlannerItemKind::kBirthday, 8, "小明生日", {0, 150, 80}}};
        control_->grid().cells()[first + 5].items.assign(
            5, PlannerItem{PlannerItemKind::kSchedule, 9, "周末值班", {230, 120, 20}});
        control_->SetSelectedCell(first + 3);
        Mouse(WM_MOUSEMOVE, Centre(grid().ItemRect(first + 1, 1)));
        control_->Redraw();
        const std::optional<testkit::Image> shot =
            Screenshot(mode == kPlannerMonthMode ? "planner_grid_month.png" : "planner_grid_week.png");
        ASSERT_TRUE(shot.has_value());
        const PlannerRect selected = grid().CellRect(first + 3);
        EXPECT_EQ(shot->Pixel(selected.x + selected.width - 3, selected.y + 45) & 0xFFFFFF,
                  Argb(colours.selected) & 0xFFFFFF);
    }
}

}  // namespace
