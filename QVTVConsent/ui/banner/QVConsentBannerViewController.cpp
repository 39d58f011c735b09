#include "QVTVConsent/ui/banner/QVConsentBannerViewController.h"

#include <algorithm>
#include <cmath>

#include "QVTVConsent/adapters/ConsentAdapterHelper.h"
#include "QVTVConsent/data/ConsentRepository.h"
#include "QVTVConsent/events/ConsentEventPoster.h"
#include "QVTVConsent/engine/QVCoreEngineFactory.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/engine/QVScreenLayer.h"
#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/data/DataFactoryError.h"
#include "QVTVConsent/ui/controls/AccessibilityText.h"
#include "QVTVConsent/ui/controls/QVCheckboxView.h"
#include "QVTVConsent/ui/controls/QVLoading.h"
#include "QVTVConsent/ui/controls/QVPaddingView.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/controls/UIExtensions.h"
#include "QVTVConsent/ui/controls/UIViewUtils.h"
#include "QVTVConsent/ui/images/QVBrandingView.h"
#include "QVTVConsent/ui/images/QVRemoteImageLoader.h"
#include "QVTVConsent/ui/images/QVRemoteImageView.h"
#include "QVTVConsent/ui/text/QVAttributedScrollableTextView.h"
#include "platform/DispatchQueue.h"
#include "platform/HttpSession.h"
#include "tvkit/app/Application.h"
#include "tvkit/input/TapGestureRecognizer.h"
#include "tvkit/text/TextMeasurer.h"
#include "tvkit/view/ScrollView.h"

namespace qvtv {
namespace {

using tvkit::LayoutConstraint;

constexpr const char* tag = "QVConsentBannerViewController";
constexpr const char* logoFallback = "qv_logo";
constexpr double toastDuration = 2.0;
// The logo (100) and the fixed spacers before and after the consent text (24 + 16 + 16).
constexpr double fixedWidthBeforeButtons = 156;
constexpr double trailingSpacerWidth = 24;

QVError describe(const DataFactoryError& error) { return QVError{"DataFactoryError", 0, error.what()}; }

// A button is as wide as its title plus padding, but never narrower than the minimum.
double buttonWidth(const std::string& title, const tvkit::Font& font) {
    const double titleWidth = tvkit::TextMeasurer::measure(title, font.size, font.weight, 0, 0).width;
    return std::max(titleWidth + 2 * QVConsentBannerViewController::buttonPadding,
                    QVConsentBannerViewController::buttonMinimumWidth);
}

// The copy of a category that a save sends: packages follow the category's new switch.
std::shared_ptr<QVCategory> choiceCopy(const QVCategory& category, bool enabled) {
    auto copy = std::make_shared<QVCategory>();
    copy->type = category.type;
    copy->name = category.name;
    copy->description = category.description;
    copy->isExpanded = category.isExpanded;
    copy->isEnabled = enabled;
    for (const auto& package : category.packages) {
        auto packageCopy = std::make_shared<QVPackage>(*package);
        packageCopy->isExpanded = false;
        packageCopy->setEnabled(enabled);
        copy->packages.push_back(std::move(packageCopy));
    }
    return copy;
}

} // namespace

double QVConsentBannerViewController::minimumBannerHeight(bool removeBranding) {
    constexpr double withoutBranding = 132;
    return removeBranding ? withoutBranding : withoutBranding + brandingHeight;
}

// The root view has the screen's size from the start, so the strip can be measured while it is built.
void QVConsentBannerViewController::loadView() {
    setView(tvkit::View::make(tvkit::Application::shared().screenBounds()));
}

void QVConsentBannerViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    setTitle(AccessibilityText::bannerTitle);
    setupUI();
}

void QVConsentBannerViewController::setupUI() {
    setupContainer();
    container_->addArrangedSubview(Spacer::make(24, std::nullopt));
    setupLogo();
    auto textSpacer = Spacer::make(16, std::nullopt);
    container_->addArrangedSubview(textSpacer);
    auto text = makeConsentText();
    container_->addArrangedSubview(Spacer::make(16, std::nullopt));
    setupActions();
    container_->addArrangedSubview(Spacer::make(trailingSpacerWidth, std::nullopt));
    setupAdvancedBanner();

    LayoutConstraint::activate({text->widthAnchor().equalToConstant(consentTextWidth()),
                                text->leadingAnchor().equalTo(textSpacer->trailingAnchor())});
    consentTextView_ = text;
}

void QVConsentBannerViewController::setupContainer() {
    container_ = tvkit::View::make<tvkit::StackView>();
    container_->setBackgroundColor(ColorUtils::fromHex(data->backgroundColor));
    container_->setAxis(tvkit::LayoutAxis::horizontal);
    container_->setAlignment(tvkit::StackView::Alignment::fill);
    container_->setDistribution(tvkit::StackView::Distribution::fill);
    container_->setTranslatesAutoresizingMaskIntoConstraints(false);
    view()->addSubview(container_);
    const double bottomInset = data->advancedBanner ? advanceBannerHeight + 2 * advanceBannerVerticalMargin : 0;
    LayoutConstraint::activate({container_->leadingAnchor().equalTo(view()->leadingAnchor()),
                                container_->trailingAnchor().equalTo(view()->trailingAnchor()),
                                container_->bottomAnchor().equalTo(view()->bottomAnchor(), -bottomInset)});
}

void QVConsentBannerViewController::setupLogo() {
    auto imageView = tvkit::View::make<QVRemoteImageView>();
    auto logo = std::make_shared<QVPaddingView<QVRemoteImageView>>(imageView, tvkit::EdgeInsets::all(10));
    logo->setTranslatesAutoresizingMaskIntoConstraints(false);
    container_->addArrangedSubview(logo);
    // Only the width is fixed: the strip fills its members' height and is never lower than
    // 132, so a height of 100 could never hold, and the logo scales to fit whatever it gets.
    logo->widthAnchor().equalToConstant(logoSize)->setActive(true);

    imageView->setContentMode(tvkit::ImageView::ContentMode::scaleAspectFit);
    if (!platform::HttpSession::buildUrl(platform::HttpRequest::get(data->logoUrl))) {
        imageView->loadFallback(logoFallback);
        return;
    }
    std::weak_ptr<QVRemoteImageView> weakImage = imageView;
    QVRemoteImageLoader::load(data->logoUrl, {logoSize, logoSize}, [weakImage](std::shared_ptr<const tvkit::Image> image) {
        QVRemoteImageView::setImage(weakImage, std::move(image), logoFallback);
    });
}

std::shared_ptr<tvkit::View> QVConsentBannerViewController::makeConsentText() {
    auto text = std::make_shared<std::weak_ptr<QVAttributedScrollableTextView>>();
    consentText_ = tvkit::View::make<QVAttributedScrollableTextView>(
        data->html, [text](bool focused, const tvkit::FocusUpdateContext&, tvkit::FocusAnimationCoordinator& coordinator) {
            coordinator.addCoordinatedAnimations([text, focused] {
                if (auto view = text->lock()) {
                    view->setTransform(focused ? tvkit::AffineTransform::scale(1.01, 1.01) : tvkit::AffineTransform());
                }
            });
        });
    *text = consentText_;
    consentText_->setTranslatesAutoresizingMaskIntoConstraints(false);

    const double width = consentTextWidth();
    const double height = consentTextHeight(width);
    const double minimum = minimumBannerHeight(data->removeBranding);
    const double bottomInset = data->advancedBanner ? advanceBannerHeight + 2 * advanceBannerVerticalMargin : 0;

    // A text taller than the screen above the strips is shown in the strip as it is, and scrolls.
    if (height >= view()->bounds().height() - 24 - bottomInset) {
        container_->addArrangedSubview(consentText_);
        container_->topAnchor().equalTo(view()->topAnchor())->setActive(true);
        return consentText_;
    }

    auto wrapper = tvkit::View::make<tvkit::StackView>();
    wrapper->setAxis(tvkit::LayoutAxis::vertical);
    wrapper->setAlignment(tvkit::StackView::Alignment::leading);
    wrapper->setDistribution(tvkit::StackView::Distribution::fill);
    wrapper->setTranslatesAutoresizingMaskIntoConstraints(false);
    // A short text sits 10 points below the middle of the minimum strip. When it is within 20
    // points of the minimum, the lower spacer stays at zero and the strip grows by the rest, so
    // the text is never cut and the strip never drops below the minimum. The spacers place the
    // text exactly, so the stack fills rather than centring its members.
    double above = 0;
    double below = 0;
    if (minimum > height) {
        const double half = (minimum - height) / 2;
        above = 10 + half;
        below = std::max(half - 10, 0.0);
        wrapper->addArrangedSubview(Spacer::make(std::nullopt, above));
        wrapper->addArrangedSubview(consentText_);
        wrapper->addArrangedSubview(Spacer::make(std::nullopt, below));
    } else {
        wrapper->addArrangedSubview(consentText_);
    }
    container_->addArrangedSubview(wrapper);
    LayoutConstraint::activate({consentText_->widthAnchor().equalToConstant(width),
                                consentText_->heightAnchor().equalToConstant(height),
                                container_->heightAnchor().equalToConstant(above + height + below)});
    return wrapper;
}

double QVConsentBannerViewController::consentTextHeight(double width) const {
    return std::ceil(consentText_->textView().sizeThatFits(width).height);
}

double QVConsentBannerViewController::consentTextWidth() {
    double total = 0;
    for (const QVButtonData* button : {&data->acceptButton, &data->declineButton, &data->customizeButton}) {
        if (button->buttonType == QVButtonType::none) continue;
        total += buttonWidth(button->label, tvkit::Font::system(20, tvkit::Font::bold)) + buttonSpacing;
    }
    // The strip spans the screen's view, which has its full size before the strip is laid out.
    // Buttons wider than the screen leave the text no room rather than a negative width.
    const double stripWidth = view()->bounds().width();
    return std::max(stripWidth - (total + fixedWidthBeforeButtons + trailingSpacerWidth), 0.0);
}

void QVConsentBannerViewController::setupActions() {
    actionViews_.clear();
    auto area = tvkit::View::make();
    area->setTranslatesAutoresizingMaskIntoConstraints(false);
    container_->addArrangedSubview(area);

    auto column = tvkit::View::make<tvkit::StackView>();
    column->setAxis(tvkit::LayoutAxis::vertical);
    column->setDistribution(tvkit::StackView::Distribution::equalSpacing);
    column->setAlignment(tvkit::StackView::Alignment::trailing);
    column->setSpacing(buttonSpacing);
    column->setTranslatesAutoresizingMaskIntoConstraints(false);
    area->addSubview(column);
    LayoutConstraint::activate({column->trailingAnchor().equalTo(area->trailingAnchor()),
                                column->centerYAnchor().equalTo(area->centerYAnchor())});

    auto row = tvkit::View::make<tvkit::StackView>();
    row->setAxis(tvkit::LayoutAxis::horizontal);
    row->setDistribution(tvkit::StackView::Distribution::fill);
    row->setAlignment(tvkit::StackView::Alignment::center);
    row->setSpacing(buttonSpacing);
    if (data->removeBranding) {
        column->addArrangedSubview(row);
    } else {
        column->addArrangedSubview(Spacer::make(std::nullopt, brandingVerticalPadding));
        column->addArrangedSubview(row);
        column->addArrangedSubview(Spacer::make(std::nullopt, brandingVerticalPadding));
    }

    using Handler = void (QVConsentBannerViewController::*)();
    const std::pair<const QVButtonData*, Handler> buttons[] = {
        {&data->acceptButton, &QVConsentBannerViewController::handleAccept},
        {&data->declineButton, &QVConsentBannerViewController::handleDecline},
        {&data->customizeButton, &QVConsentBannerViewController::handleCustomize},
    };
    auto weakSelf = std::weak_ptr<ViewController>(weak_from_this());
    for (const auto& [buttonData, handler] : buttons) {
        auto button = UIViewUtils::makeButton(*buttonData);
        button->addAction(
            [weakSelf, handler = handler](tvkit::Control&) {
                auto self = std::static_pointer_cast<QVConsentBannerViewController>(weakSelf.lock());
                if (self) ((*self).*handler)();
            },
            tvkit::ControlEvent::primaryActionTriggered);
        row->addArrangedSubview(button);
        LayoutConstraint::activate(
            {button->heightAnchor().equalToConstant(buttonHeight),
             button->widthAnchor().equalToConstant(buttonWidth(button->title(), button->titleLabel()->font()))});
        if (buttonData->buttonType == QVButtonType::none) {
            button->setHidden(true);
        } else {
            actionViews_.emplace_back(std::static_pointer_cast<tvkit::View>(button));
        }
    }

    if (data->removeBranding) return;
    auto branding = std::make_shared<QVBrandingView>(tvkit::View::make<QVRemoteImageView>());
    branding->setTranslatesAutoresizingMaskIntoConstraints(false);
    area->addSubview(branding);
    LayoutConstraint::activate({branding->trailingAnchor().equalTo(area->trailingAnchor()),
                                branding->bottomAnchor().equalTo(area->bottomAnchor(), -8)});
}

void QVConsentBannerViewController::setupAdvancedBanner() {
    if (!data->advancedBanner) return;
    const double stripHeight = advanceBannerHeight + 2 * advanceBannerVerticalMargin;
    auto pinToBottom = [this, stripHeight](const std::shared_ptr<tvkit::View>& strip) {
        strip->setTranslatesAutoresizingMaskIntoConstraints(false);
        view()->addSubview(strip);
        LayoutConstraint::activate({strip->leadingAnchor().equalTo(view()->leadingAnchor()),
                                    strip->trailingAnchor().equalTo(view()->trailingAnchor()),
                                    strip->bottomAnchor().equalTo(view()->bottomAnchor()),
                                    strip->heightAnchor().equalToConstant(stripHeight)});
    };
    // The check boxes belong to the banner: their strip is the banner's colour, darkened a
    // little by the scroll view over it, never the host's screen showing through.
    auto backing = tvkit::View::make();
    backing->setBackgroundColor(ColorUtils::fromHex(data->backgroundColor));
    pinToBottom(backing);
    auto scroll = tvkit::View::make<tvkit::ScrollView>();
    scroll->setShowsHorizontalScrollIndicator(false);
    scroll->setBackgroundColor(tvkit::Color::black().withAlpha(0.1));
    pinToBottom(scroll);

    auto stack = tvkit::View::make<tvkit::StackView>();
    stack->setAxis(tvkit::LayoutAxis::horizontal);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    scroll->addSubview(stack);
    auto& content = scroll->contentLayoutGuide();
    LayoutConstraint::activate({stack->topAnchor().equalTo(content.topAnchor(), advanceBannerVerticalMargin),
                                stack->leadingAnchor().equalTo(content.leadingAnchor(), 24),
                                stack->trailingAnchor().equalTo(content.trailingAnchor(), -24),
                                stack->bottomAnchor().equalTo(content.bottomAnchor()),
                                stack->heightAnchor().equalToConstant(advanceBannerHeight)});

    const tvkit::Color textColor = ColorUtils::fromHex(data->html.textColor);
    for (const auto& category : data->categories) {
        stack->addArrangedSubview(Spacer::make(20, std::nullopt));
        QVCheckboxView::Options options;
        options.title = category->name;
        options.checked = category->isEnabled;
        options.enabled = category->type != QVCategoryType::essential;
        options.textColor = textColor;
        options.textColorDisabled = textColor.withAlpha(0.9);
        std::weak_ptr<QVCategory> weakCategory = category;
        stack->addArrangedSubview(std::make_shared<QVCheckboxView>(options, [weakCategory](QVCheckboxView& box) {
            if (auto c = weakCategory.lock()) c->isEnabled = box.isCheckedValue();
        }));
    }
}

// MARK: focus

bool QVConsentBannerViewController::shouldUpdateFocus(const tvkit::FocusUpdateContext& context) {
    // Only views of this screen are worth returning to; focus may arrive from the host's screen.
    tvkit::View* previous = context.previouslyFocusedView();
    const bool ours = previous && previous->isDescendantOf(view().get());
    lastFocusedView_ = ours ? previous->weak_from_this() : std::weak_ptr<tvkit::View>();
    return true;
}

std::vector<tvkit::FocusEnvironment*> QVConsentBannerViewController::preferredFocusEnvironments() const {
    if (auto last = lastFocusedView_.lock()) return {last.get()};
    if (!actionViews_.empty()) {
        if (auto first = actionViews_.front().value.lock()) return {first.get()};
    }
    return ViewController::preferredFocusEnvironments();
}

// MARK: remote keys

void QVConsentBannerViewController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    // One recogniser however often the banner appears, so one Menu press closes it once.
    if (menuRecognizer_) return;
    auto weakSelf = std::weak_ptr<ViewController>(weak_from_this());
    menuRecognizer_ = std::make_shared<tvkit::TapGestureRecognizer>([weakSelf](tvkit::GestureRecognizer&) {
        if (auto self = weakSelf.lock()) static_cast<QVConsentBannerViewController&>(*self).menuButtonAction();
    });
    menuRecognizer_->setAllowedPressTypes({tvkit::PressType::menu});
    view()->addGestureRecognizer(menuRecognizer_);
}

std::vector<tvkit::KeyCommand> QVConsentBannerViewController::keyCommands() const {
    auto weakSelf = std::weak_ptr<const ViewController>(weak_from_this());
    auto close = [weakSelf] {
        auto self = std::const_pointer_cast<ViewController>(weakSelf.lock());
        if (self) static_cast<QVConsentBannerViewController&>(*self).handleESCKey();
    };
    return {tvkit::KeyCommand{tvkit::KeyCommand::inputEscape, close, "Close"}};
}

void QVConsentBannerViewController::handleESCKey() { closeWithoutChoice(); }

void QVConsentBannerViewController::menuButtonAction() { closeWithoutChoice(); }

void QVConsentBannerViewController::closeWithoutChoice() {
    auto self = std::static_pointer_cast<QVConsentBannerViewController>(shared_from_this());
    dismiss(true, [self] { self->onBackPressed(); });
}

void QVConsentBannerViewController::onBackPressed() {
    const std::string& id = applicationId.value_or("");
    QVConsentStatus status = QVConsentStatus::pending;
    try {
        status = DataFactory::repository()->getConsentStatus(id).data().value_or(QVConsentStatus::pending);
    } catch (const DataFactoryError& error) {
        QVLogger::e(tag, "onBackPressed()=> Failed to get consent status", describe(error));
    }
    try {
        const auto clientId = DataFactory::repository()->getClientId(id).data();
        if (!clientId) return;
        ConsentEventPoster::notify(*QVConsentEventManager::shared(), id, *clientId, std::nullopt, status,
                                   QVDataMessage<QVConsentEvent::Records>(499, ""));
    } catch (const DataFactoryError& error) {
        QVLogger::e(tag, describe(error).localizedDescription());
    }
}

// MARK: choices

void QVConsentBannerViewController::handleAccept() { saveChoice(false); }

void QVConsentBannerViewController::handleDecline() { saveChoice(true); }

void QVConsentBannerViewController::saveChoice(bool isRejectAll) {
    // A second Select while the first choice is on its way would send it twice.
    if (saving_) return;
    saving_ = true;
    QVLoading::show();

    std::vector<std::shared_ptr<QVCategory>> categories;
    for (const auto& category : data->categories) {
        bool enabled = !isRejectAll && (!data->advancedBanner || category->isEnabled);
        if (category->type == QVCategoryType::essential) enabled = true;
        categories.push_back(choiceCopy(*category, enabled));
    }

    std::shared_ptr<ConsentRepository> repository;
    try {
        repository = DataFactory::repository();
    } catch (const DataFactoryError& error) {
        saveFailed(describe(error).localizedDescription());
        return;
    }
    auto self = std::static_pointer_cast<QVConsentBannerViewController>(shared_from_this());
    const std::string id = applicationId.value_or("");
    // The save runs off the main thread; whatever it ends with comes back here, so the overlay
    // always goes.
    platform::Task<SaveResult>::run(platform::DispatchQueue::global(), [repository, id, categories, isRejectAll] {
        try {
            return repository->saveConsent(id, categories, isRejectAll).get();
        } catch (const std::exception& error) {
            return SaveResult(500, "Internal server error, please contact support", error.what());
        }
    }).then(platform::DispatchQueue::main(), [self, categories, isRejectAll](const SaveResult& result) {
        if (result.code() == 200) {
            try {
                if (isRejectAll) {
                    ConsentAdapterHelper::denyAll(QVConsentStatus::collected, categories);
                } else if (self->data->advancedBanner) {
                    ConsentAdapterHelper::applyConsent(QVConsentStatus::collected, categories);
                } else {
                    ConsentAdapterHelper::acceptAll(QVConsentStatus::collected, categories);
                }
            } catch (const DataFactoryError& error) {
                self->saveFailed(describe(error).localizedDescription());
                return;
            }
        }
        self->finishSave(result, isRejectAll);
    });
}

void QVConsentBannerViewController::saveFailed(const std::string& message) {
    saving_ = false;
    QVLoading::hide();
    showToast(*this, message, std::nullopt, false, toastDuration);
}

void QVConsentBannerViewController::finishSave(const SaveResult& result, bool isRejectAll) {
    saving_ = false;
    QVLoading::hide();
    if (result.code() != 200) {
        showToast(*this, result.msg(), std::nullopt, false, toastDuration);
    } else {
        dismiss(true);
    }
    const std::string& id = applicationId.value_or("");
    try {
        auto repository = DataFactory::repository();
        const auto clientId = repository->getClientId(id).data();
        if (!clientId) return;
        // A refused save changed nothing, so its event carries the status that still holds.
        const QVConsentStatus status = result.code() == 200
                                           ? QVConsentStatus::collected
                                           : repository->getConsentStatus(id).data().value_or(QVConsentStatus::pending);
        ConsentEventPoster::notify(
            *QVConsentEventManager::shared(), id, *clientId, isRejectAll ? QVUserConsentActionType::reject : QVUserConsentActionType::accept, status,
            result);
    } catch (const DataFactoryError& error) {
        QVLogger::e(tag, describe(error).localizedDescription());
    }
}

// MARK: customize

void QVConsentBannerViewController::handleCustomize() {
    ViewController* presentingController = presentingViewController();
    std::weak_ptr<ViewController> presenting =
        presentingController ? presentingController->weak_from_this() : std::weak_ptr<ViewController>();
    const std::string id = applicationId.value_or("");
    dismiss(false, [presenting, id] {
        const auto state = QVCoreEngineFactory::initialisationResult();
        const std::shared_ptr<QVCoreEngine> core = state.data().value_or(nullptr);
        if (!core) return;
        auto host = presenting.lock();
        if (!host) return;
        auto builder = QVScreenLayer::preferenceCenterBuilder();
        try {
            const auto answer = core->showPreferenceCenter(
                id, host, [builder](const std::string& applicationId, std::shared_ptr<QVPreferenceCenterData> data) {
                    auto screen = builder(applicationId, std::move(data));
                    if (screen) screen->setModalPresentationStyle(tvkit::ModalPresentationStyle::fullScreen);
                    return screen;
                });
            // The banner has gone by now, so the viewer reads the refusal where they are.
            if (answer.code() != 200) showToast(*host, answer.msg(), std::nullopt, false, toastDuration);
        } catch (const DataFactoryError& error) {
            QVLogger::e(tag, "handleCustomize()", describe(error));
        }
    });
}

} // namespace qvtv
