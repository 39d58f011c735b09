// The "Crafted By" line: its parts in order, the maker's logo from the network or the
// built-in one, a focus look and a web-site link only where an owner enables interaction, and
// a logo that stalls without holding up anything on screen.

#include "QVTVConsent/ui/ScreenTestFixture.h"
#include "QVTVConsent/ui/TestScreen.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/controls/UIExtensions.h"
#include "QVTVConsent/ui/images/BrandingSettings.h"
#include "QVTVConsent/ui/images/LibraryResources.h"
#include "QVTVConsent/ui/images/QVBrandingView.h"
#include "support/RecordingURLOpener.h"
#include "tools/consent-service/ConsentService.h"

#include "platform/DispatchQueue.h"
#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/view/Button.h"

namespace qvtv {
namespace {

// Points the branding line at other addresses for one test and puts the build's back.
class ScopedBrandingAddresses {
public:
    ScopedBrandingAddresses(std::string logo, std::string site) {
        BrandingSettings::setMakerLogoUrl(std::move(logo));
        BrandingSettings::setMakerWebsiteUrl(std::move(site));
    }
    ~ScopedBrandingAddresses() {
        BrandingSettings::setMakerLogoUrl(std::nullopt);
        BrandingSettings::setMakerWebsiteUrl(std::nullopt);
    }
};

class QVBrandingViewTest : public testsupport::ScreenTestFixture {
protected:
    QVBrandingViewTest() : service(consentservice::ConsentService::Options::serving(QVTV_FIXTURES_DIR)) {
        EXPECT_TRUE(service.start());
    }
    std::string imageUrl(const std::string& file) const { return service.origin() + "/images/" + file; }

    // A screen with a button above the branding line, focus on the button.
    std::shared_ptr<testsupport::TestScreen> showBranding(const std::shared_ptr<QVBrandingView>& branding) {
        button = tvkit::View::make<tvkit::Button>();
        button->setTitle("Accept");
        auto screen = std::make_shared<testsupport::TestScreen>([&](tvkit::View& root) {
            button->setFrame({860, 400, 200, 60});
            root.addSubview(button);
            root.addSubview(branding);
            tvkit::LayoutConstraint::activate({branding->leadingAnchor().equalTo(root.leadingAnchor(), 100),
                                               branding->topAnchor().equalTo(root.topAnchor(), 600)});
        });
        screen->preferredFocus = button;
        present(screen);
        return screen;
    }
    bool showsImage(const QVBrandingView& branding) { return branding.image->image() != nullptr; }

    consentservice::ConsentService service;
    std::shared_ptr<tvkit::Button> button;
};

TEST_F(QVBrandingViewTest, ShowsItsPartsInOrderAndCannotBeSelected) {
    ScopedBrandingAddresses addresses(imageUrl("maker-logo.svg"), "https://maker.example/");
    auto branding = std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>());
    branding->setTextColor(tvkit::Color::fromRGBA8(0xE6, 0xE6, 0xE6));
    showBranding(branding);
    ASSERT_TRUE(runUntil([&] { return showsImage(*branding); }));
    EXPECT_NE(branding->image->image(), LibraryResources::image("branding")) << "the downloaded logo";

    const auto& parts = branding->arrangedSubviews();
    ASSERT_EQ(parts.size(), 7u);
    const double widths[] = {16, 0, 8, 16, 8, 0, 16};
    for (std::size_t i : {0u, 2u, 4u, 6u}) {
        ASSERT_TRUE(dynamic_cast<Spacer*>(parts[i])) << i;
        EXPECT_EQ(parts[i]->frame().size, (tvkit::Size{widths[i], 40})) << i;
    }
    EXPECT_EQ(parts[1], branding->label.get());
    EXPECT_EQ(parts[3], branding->image.get());
    EXPECT_EQ(parts[5], branding->brand.get());
    EXPECT_EQ(branding->label->text(), "Crafted By");
    EXPECT_EQ(branding->brand->text(), "Veradyn");
    EXPECT_EQ(branding->brand->textColor(), tvkit::Color::fromRGBA8(0xE6, 0xE6, 0xE6));
    EXPECT_EQ(branding->image->frame().size, (tvkit::Size{16, 16}));
    EXPECT_FALSE(branding->isLayoutMarginsRelativeArrangement());
    EXPECT_TRUE(matchesGolden("branding_line"));

    // Shown, but the remote never reaches it.
    EXPECT_FALSE(branding->isUserInteractionEnabled());
    press(tvkit::PressType::downArrow);
    EXPECT_EQ(focusedView(), button.get());
}

TEST_F(QVBrandingViewTest, MarginsInsetTheLine) {
    ScopedBrandingAddresses addresses("", "");
    auto branding = std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>(),
                                                     tvkit::EdgeInsets{4, 10, 4, 10});
    EXPECT_TRUE(branding->isLayoutMarginsRelativeArrangement());
    showBranding(branding);
    EXPECT_DOUBLE_EQ(branding->arrangedSubviews().front()->frame().minX(), 10);
    EXPECT_DOUBLE_EQ(branding->frame().height(), 48);
}

TEST_F(QVBrandingViewTest, BuiltInLogoWhenTheAddressIsNotUsable) {
    {
        ScopedBrandingAddresses addresses("maker logo", "");
        auto branding = std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>());
        EXPECT_EQ(branding->image->image(), LibraryResources::image("branding")) << "at once, without a request";
    }
    {
        ScopedBrandingAddresses addresses(imageUrl("no-such-logo.svg"), "");
        auto branding = std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>());
        EXPECT_EQ(branding->image->image(), nullptr);
        ASSERT_TRUE(runUntil([&] { return showsImage(*branding); }));
        EXPECT_EQ(branding->image->image(), LibraryResources::image("branding"));
    }
    EXPECT_EQ(service.requests().size(), 1u);
}

TEST_F(QVBrandingViewTest, OwnerEnabledLineTakesFocusAndOpensTheMakersSite) {
    ScopedBrandingAddresses addresses("", "https://maker.example/about");
    testsupport::RecordingURLOpener opener;
    auto branding = std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>());
    branding->setUserInteractionEnabled(true);
    showBranding(branding);
    press(tvkit::PressType::downArrow);
    ASSERT_EQ(focusedView(), branding.get());
    advance(1);
    EXPECT_DOUBLE_EQ(branding->transform().a, 1.1);
    EXPECT_EQ(branding->backgroundColor(), tvkit::Color::white().withAlpha(0.1));
    EXPECT_DOUBLE_EQ(branding->layer().cornerRadius(), 8);
    press(tvkit::PressType::upArrow);
    advance(1);
    EXPECT_DOUBLE_EQ(branding->transform().a, 1.0);
    EXPECT_EQ(branding->backgroundColor(), tvkit::Color::clear());
    EXPECT_DOUBLE_EQ(branding->layer().cornerRadius(), 0);

    branding->image->handleTap();
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"https://maker.example/about"}));
    BrandingSettings::setMakerWebsiteUrl("not a site");
    branding->image->handleTap();
    EXPECT_EQ(opener.opened.size(), 1u);
}

TEST_F(QVBrandingViewTest, StalledLogoHoldsNothingUp) {
    consentservice::ServiceFault stall;
    stall.kind = consentservice::ServiceFault::Kind::stall;
    stall.stallFor = std::chrono::seconds(50);
    service.setFault(consentservice::ServiceEndpoint::image, stall);
    ScopedBrandingAddresses addresses(imageUrl("maker-logo.svg"), "");

    auto branding = std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>());
    auto screen = showBranding(branding);
    EXPECT_EQ(focusedView(), button.get());
    showToast(*screen, "Still here");
    advance(3);
    EXPECT_EQ(screen->view()->viewWithTag(toastTag), nullptr) << "timers ran while the logo stalled";
    EXPECT_FALSE(showsImage(*branding));
    EXPECT_NE(findByText("Crafted By"), nullptr);

    // More stalled logos than there are general workers: templates and saves still get one.
    std::vector<std::shared_ptr<QVBrandingView>> more;
    for (int i = 0; i < 6; ++i) more.push_back(std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>()));
    bool ran = false;
    platform::DispatchQueue::global().async([&ran] { platform::DispatchQueue::main().async([&ran] { ran = true; }); });
    EXPECT_TRUE(runUntil([&] { return ran; }, std::chrono::seconds(5)));

    service.stop();  // ends the stall: the logo or the built-in image arrives
    EXPECT_TRUE(runUntil([&] { return showsImage(*branding); }));
    for (const auto& line : more) EXPECT_TRUE(runUntil([&] { return showsImage(*line); }));
}

} // namespace
} // namespace qvtv
