// GDI+ for the whole test program, as the widget starts it for the planner:
// one session that outlives every control, painter and image of a test.

#include <gtest/gtest.h>

#include <memory>

#include "common/win32/gdiplus_session.h"

namespace {

class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override {
        session_ = std::make_unique<GdiplusSession>();
        ASSERT_TRUE(session_->ok());
    }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<GdiplusSession> session_;
};

[[maybe_unused]] testing::Environment* const gdiplusEnvironment =
    testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace
