#include "tools/demo/HomeScreen.h"

#include "tools/demo/ProgrammeTile.h"

namespace demo {

using tvkit::Color;
using tvkit::Font;
using tvkit::Label;
using tvkit::Rect;
using tvkit::View;

namespace {

constexpr double margin = 90;
constexpr double tileWidth = 320;
constexpr double tileHeight = 160;
constexpr double tileGap = 40;

struct Row {
    const char* heading;
    std::vector<const char*> programmes;
    Color color;
};

std::shared_ptr<Label> makeLabel(const std::string& text, double size, int weight, Color color, const Rect& frame) {
    auto label = View::make<Label>(text);
    label->setFont(Font::system(size, weight));
    label->setTextColor(color);
    label->setFrame(frame);
    return label;
}

} // namespace

void HomeScreen::viewDidLoad() {
    auto& root = *view();
    root.setBackgroundColor(Color::fromRGBA8(16, 18, 28));

    auto titleBar = View::make<View>(Rect{{0, 0}, {1920, 130}});
    titleBar->setBackgroundColor(Color::fromRGBA8(28, 32, 48));
    titleBar->addSubview(makeLabel("Riverside TV", 48, Font::bold, Color::white(), {{margin, 36}, {600, 60}}));
    privacyButton_ = View::make<tvkit::Button>();
    privacyButton_->setTitle("Privacy settings");
    privacyButton_->setTitleColor(Color::gray(0.85));
    privacyButton_->setTitleColor(Color::black(), tvkit::focused);
    privacyButton_->titleLabel()->setFont(Font::system(28, Font::medium));
    privacyButton_->setBackgroundColor(Color::fromRGBA8(60, 66, 90));
    privacyButton_->layer().setCornerRadius(10);
    privacyButton_->setFrame({{1920 - margin - 300, 33}, {300, 64}});
    privacyButton_->addAction([this](tvkit::Control&) {
        if (privacyAction_) privacyAction_();
    }, tvkit::ControlEvent::primaryActionTriggered);
    titleBar->addSubview(privacyButton_);
    root.addSubview(titleBar);

    const std::vector<Row> rows{
        {"Continue watching", {"Night Trains", "The Long Coast", "Kitchen Stories", "Orbit", "Harbour Lights"},
         Color::fromRGBA8(40, 90, 160)},
        {"New this week", {"Quiet Valley", "Match Day", "Paper Cities", "Deep Field", "Small Wonders"},
         Color::fromRGBA8(150, 60, 80)},
        {"Documentaries", {"Rivers", "The Workshop", "Cloud Atlas Live", "Salt", "Northern Lights"},
         Color::fromRGBA8(50, 130, 90)},
    };
    double y = 160;
    for (const auto& row : rows) {
        root.addSubview(makeLabel(row.heading, 32, Font::semibold, Color::gray(0.9), {{margin, y}, {800, 44}}));
        y += 54;
        double x = margin;
        for (const char* programme : row.programmes) {
            auto tile = View::make<ProgrammeTile>(programme, row.color);
            tile->setFrame({{x, y}, {tileWidth, tileHeight}});
            root.addSubview(tile);
            if (!firstTile_) firstTile_ = tile;
            x += tileWidth + tileGap;
        }
        y += tileHeight + 36;
    }

    status_ = makeLabel("", 26, Font::medium, Color::white(), {{margin, 960}, {1920 - 2 * margin, 36}});
    help_ = makeLabel(helpText(), 22, Font::regular, Color::gray(0.6), {{margin, 1010}, {1920 - 2 * margin, 32}});
    root.addSubview(status_);
    root.addSubview(help_);
}

std::vector<tvkit::FocusEnvironment*> HomeScreen::preferredFocusEnvironments() const {
    if (!firstTile_) return {};
    return {firstTile_.get()};
}

void HomeScreen::setDemoKeys(std::vector<tvkit::KeyCommand> keys) {
    keys_ = std::move(keys);
    if (help_) help_->setText(helpText());
}

void HomeScreen::setStatus(const std::string& text) {
    view();
    status_->setText(text);
}

std::string HomeScreen::helpText() const {
    std::string text = "Arrows move · Return selects · Esc/Backspace goes back";
    for (const auto& key : keys_) text += " · " + key.input + ": " + key.title;
    return text;
}

} // namespace demo
