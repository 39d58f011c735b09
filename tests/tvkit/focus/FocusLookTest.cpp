// A focus look picks the animation for the view's side of the move, and only for that view.

#include "tvkit/focus/FocusLook.h"
#include "tvkit/view/View.h"

#include <gtest/gtest.h>

#include <string>

namespace tvkit {
namespace {

std::string lookFor(const std::shared_ptr<View>& view, const FocusUpdateContext& context) {
    FocusAnimationCoordinator coordinator;
    std::string ran;
    addFocusLook(*view, context, coordinator, [&] { ran += "gained"; }, [&] { ran += "lost"; });
    for (const auto& animation : coordinator.animations()) animation();
    return ran;
}

TEST(FocusLook, AddsTheAnimationForTheViewsSideOfTheMove) {
    auto a = View::make();
    auto b = View::make();
    auto other = View::make();
    const FocusUpdateContext move(a, b, FocusHeading::right);
    EXPECT_EQ(lookFor(a, move), "lost");
    EXPECT_EQ(lookFor(b, move), "gained");
    EXPECT_EQ(lookFor(other, move), "");
    EXPECT_EQ(lookFor(a, FocusUpdateContext(nullptr, a, FocusHeading::none)), "gained");
}

} // namespace
} // namespace tvkit
