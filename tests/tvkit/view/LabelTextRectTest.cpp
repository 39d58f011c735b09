// Labels that keep their text off their edges: the text is drawn only inside the rectangle
// given, and wrapped text is measured at the width left after the inset.

#include "tvkit/render/Bitmap.h"
#include "tvkit/render/Painter.h"
#include "tvkit/view/Label.h"

#include <gtest/gtest.h>

namespace tvkit {
namespace {

class InsetLabel : public Label {
public:
    explicit InsetLabel(double inset) : inset_(inset) {}
    void draw(Painter& painter) const override { drawText(painter, bounds().inset(EdgeInsets::all(inset_))); }
    Size intrinsicContentSize() const override { return measuredTextSize(2 * inset_); }

private:
    double inset_;
};

bool paintedIn(const Bitmap& b, int x0, int x1) {
    for (int y = 0; y < b.height(); ++y) {
        for (int x = x0; x < x1; ++x) {
            if (b.pixel(x, y).alpha > 0.1) return true;
        }
    }
    return false;
}

TEST(LabelTextRect, TextStaysInsideTheGivenRectangle) {
    auto label = View::make<InsetLabel>(40);
    label->setText("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
    label->setTextColor(Color::black());
    label->setFrame({0, 0, 300, 100});
    Bitmap b(300, 100);
    Painter painter(b);
    label->draw(painter);
    EXPECT_TRUE(paintedIn(b, 40, 260));
    EXPECT_FALSE(paintedIn(b, 0, 38));
    EXPECT_FALSE(paintedIn(b, 262, 300));
}

TEST(LabelTextRect, WrappedTextIsMeasuredInsideTheInset) {
    const std::string text = "A sentence long enough to wrap onto a few lines at a narrow width.";
    auto inset = View::make<InsetLabel>(50);
    inset->setText(text);
    inset->setNumberOfLines(0);
    inset->setFrame({0, 0, 300, 10});
    EXPECT_EQ(inset->intrinsicContentSize(), inset->textSize(200));
    EXPECT_GT(inset->textSize(200).height, inset->textSize(300).height);
    // Before layout there is no width to wrap at: one unbounded line.
    auto fresh = View::make<InsetLabel>(50);
    fresh->setText(text);
    fresh->setNumberOfLines(0);
    EXPECT_EQ(fresh->intrinsicContentSize(), fresh->textSize(0));
}

} // namespace
} // namespace tvkit
