#include "GalleryScreen.h"

#include "tvkit/layout/LayoutConstraint.h"
#include "tvkit/layout/StackView.h"
#include "tvkit/render/SymbolImage.h"
#include "tvkit/text/HtmlImporter.h"
#include "tvkit/view/ImageView.h"
#include "tvkit/view/Label.h"
#include "tvkit/view/QrCodeView.h"
#include "tvkit/view/TextView.h"

using namespace tvkit;

namespace {

const Color ink = Color::fromRGBA8(0x1D, 0x23, 0x2E);
const Color muted = Color::fromRGBA8(0x5B, 0x65, 0x75);
const Color accent = Color::fromRGBA8(0x25, 0x63, 0xEB);
const Color hairline = Color::fromRGBA8(0xE3, 0xE7, 0xEE);

const char* const policy = R"(
<p>We and our partners use cookies and similar technologies to <b>keep this app working</b>,
to measure how it is used and to show you relevant content. Read the
<a href="https://example.com/privacy">privacy policy</a> or the
<a href="https://example.com/cookies">cookie&nbsp;policy</a> for details.</p>
<ul>
<li>Store and access information on your device</li>
<li>Measure content performance and <span style="text-decoration: underline">audiences</span></li>
<li>Develop and improve services</li>
</ul>
)";

template <class T>
std::shared_ptr<T> constrained(std::shared_ptr<T> view) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    return view;
}

std::shared_ptr<Label> label(const std::string& text, double size, int weight, Color color) {
    auto l = constrained(View::make<Label>(text));
    l->setFont(Font::system(size, weight));
    l->setTextColor(color);
    return l;
}

std::shared_ptr<StackView> stack(LayoutAxis axis, double spacing, StackView::Alignment alignment,
                                 std::vector<std::shared_ptr<View>> views) {
    auto s = constrained(View::make<StackView>(std::move(views)));
    s->setAxis(axis);
    s->setSpacing(spacing);
    s->setAlignment(alignment);
    return s;
}

std::shared_ptr<View> fixed(std::shared_ptr<View> view, double width, double height) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    std::vector<ConstraintRef> c;
    if (width > 0) c.push_back(view->widthAnchor().equalToConstant(width));
    if (height > 0) c.push_back(view->heightAnchor().equalToConstant(height));
    LayoutConstraint::activate(c);
    return view;
}

// A focusable button in the house look: scale 1.12 and a deeper shadow while focused.
class GalleryButton : public Button {
public:
    GalleryButton(const std::string& title, bool filled) {
        setTitle(title);
        titleLabel()->setFont(Font::system(20, Font::bold));
        setTitleColor(filled ? Color::white() : accent);
        layer().setCornerRadius(8);
        if (filled) {
            setBackgroundColor(accent);
        } else {
            setBackgroundColor(Color::white());
            layer().setBorderWidth(1.5);
            layer().setBorderColor(accent);
        }
        layer().setShadow(Color::black(), 0.15, 6, {0, 4});
    }
    void didUpdateFocus(const FocusUpdateContext& context, FocusAnimationCoordinator& coordinator) override {
        Button::didUpdateFocus(context, coordinator);
        const bool focused = context.nextFocusedView() == this;
        if (!focused && context.previouslyFocusedView() != this) return;
        coordinator.addCoordinatedAnimations([this, focused] {
            setTransform(AffineTransform::scale(focused ? 1.12 : 1.0, focused ? 1.12 : 1.0));
            layer().setShadow(Color::black(), focused ? 0.45 : 0.15, focused ? 22 : 6, {0, focused ? 12.0 : 4.0});
        });
    }
};

std::shared_ptr<View> checkBox(const std::string& title, bool checked) {
    auto box = fixed(View::make<ImageView>(SymbolImage::named(checked ? "checkmark.square.fill" : "square")), 24, 24);
    static_cast<ImageView&>(*box).setTintColor(checked ? accent : muted);
    auto row = stack(LayoutAxis::horizontal, 10, StackView::Alignment::center, {box, label(title, 20, Font::regular, ink)});
    auto wrapper = constrained(View::make<View>());
    wrapper->setBackgroundColor(Color::black().withAlpha(0.05));
    wrapper->layer().setCornerRadius(6.4);
    wrapper->addSubview(row);
    LayoutConstraint::activate({row->leadingAnchor().equalTo(wrapper->leadingAnchor(), 16),
                                row->trailingAnchor().equalTo(wrapper->trailingAnchor(), -16),
                                row->topAnchor().equalTo(wrapper->topAnchor(), 10),
                                row->bottomAnchor().equalTo(wrapper->bottomAnchor(), -10)});
    return wrapper;
}

std::shared_ptr<View> toggle(const std::string& title, bool on) {
    auto track = fixed(View::make<View>(), 42, 24);
    track->setBackgroundColor(on ? Color::fromRGBA8(0x22, 0xA0, 0x6B) : Color::fromRGBA8(0xC9, 0xCF, 0xD8));
    track->layer().setCornerRadius(12);
    auto knob = View::make<View>(Rect{on ? 20.0 : 2.0, 2, 20, 20});
    knob->setBackgroundColor(Color::white());
    knob->layer().setCornerRadius(10);
    knob->layer().setShadow(Color::black(), 0.2, 2, {0, 1});
    track->addSubview(knob);
    return stack(LayoutAxis::horizontal, 12, StackView::Alignment::center, {label(title, 20, Font::regular, ink), track});
}

std::shared_ptr<View> tabRow() {
    std::vector<std::shared_ptr<View>> tabs;
    const char* titles[] = {"Settings", "Privacy Policy", "Cookie Policy", "Data Request"};
    for (int i = 0; i < 4; ++i) {
        auto title = label(titles[i], 20, i == 0 ? Font::semibold : Font::regular, i == 0 ? accent : muted);
        auto underline = fixed(View::make<View>(), 0, 3);
        underline->setBackgroundColor(i == 0 ? accent : Color::clear());
        underline->layer().setCornerRadius(1.5);
        tabs.push_back(stack(LayoutAxis::vertical, 10, StackView::Alignment::fill, {title, underline}));
    }
    return stack(LayoutAxis::horizontal, 40, StackView::Alignment::top, tabs);
}

} // namespace

void GalleryScreen::viewDidLoad() {
    auto root = view();
    root->setBackgroundColor(Color::fromRGBA8(0x27, 0x2D, 0x3A));

    auto card = constrained(View::make<View>());
    card->setBackgroundColor(Color::white());
    card->layer().setCornerRadius(24);
    card->layer().setShadow(Color::black(), 0.35, 40, {0, 20});
    root->addSubview(card);

    auto title = label("Your privacy choices", 34, Font::bold, ink);
    auto rule = fixed(View::make<View>(), 0, 1);
    rule->setBackgroundColor(hairline);

    HtmlImporter::Options options;
    options.linkColor = accent;
    const std::string document = "<style>body { font-family: -apple-system; font-size: 20px; color: #1D232E; }"
                                 " a { color: #2563EB !important; text-decoration: underline !important; }"
                                 " ul, li { margin-left: 12px; }</style>" + std::string(policy);
    auto text = constrained(View::make<TextView>(HtmlImporter::importOrPlain(document, policy, options)));

    auto qr = fixed(View::make<QrCodeView>("https://example.com/privacy"), 180, 180);
    qr->layer().setCornerRadius(12);
    qr->layer().setBorderWidth(1);
    qr->layer().setBorderColor(hairline);
    auto qrCaption = label("Scan to read on your phone", 16, Font::regular, muted);
    auto qrColumn = stack(LayoutAxis::vertical, 12, StackView::Alignment::center, {qr, qrCaption});

    auto body = stack(LayoutAxis::horizontal, 48, StackView::Alignment::top, {text, qrColumn});

    auto checks = stack(LayoutAxis::horizontal, 20, StackView::Alignment::center,
                        {checkBox("Analytics", true), checkBox("Advertising", false), checkBox("Personalisation", true)});
    auto toggles = stack(LayoutAxis::horizontal, 56, StackView::Alignment::center,
                         {toggle("Functional", true), toggle("Marketing", false)});

    auto reject = fixed(View::make<GalleryButton>("Reject all", false), 200, 60);
    auto save = fixed(View::make<GalleryButton>("Save choices", false), 200, 60);
    accept_ = std::static_pointer_cast<Button>(fixed(View::make<GalleryButton>("Accept all", true), 200, 60));
    auto spacer = constrained(View::make<View>());
    auto buttons = stack(LayoutAxis::horizontal, 28, StackView::Alignment::center, {spacer, reject, save, accept_});

    // Rows keep their natural width, except those that span the card.
    auto content = stack(LayoutAxis::vertical, 28, StackView::Alignment::leading,
                         {title, tabRow(), rule, body, checks, toggles, buttons});
    card->addSubview(content);
    LayoutConstraint::activate({
        rule->widthAnchor().equalTo(content->widthAnchor()),
        body->widthAnchor().equalTo(content->widthAnchor()),
        buttons->widthAnchor().equalTo(content->widthAnchor()),
        card->centerXAnchor().equalTo(root->centerXAnchor()),
        card->centerYAnchor().equalTo(root->centerYAnchor()),
        card->widthAnchor().equalToConstant(1280),
        content->leadingAnchor().equalTo(card->leadingAnchor(), 64),
        content->trailingAnchor().equalTo(card->trailingAnchor(), -64),
        content->topAnchor().equalTo(card->topAnchor(), 56),
        content->bottomAnchor().equalTo(card->bottomAnchor(), -56),
    });
}

std::vector<FocusEnvironment*> GalleryScreen::preferredFocusEnvironments() const { return {accept_.get()}; }
