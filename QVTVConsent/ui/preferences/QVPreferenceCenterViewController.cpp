#include "QVTVConsent/ui/preferences/QVPreferenceCenterViewController.h"

#include <exception>

#include "QVTVConsent/adapters/ConsentAdapterHelper.h"
#include "QVTVConsent/engine/QVConsentEngineFactory.h"
#include "QVTVConsent/events/ConsentEventPoster.h"
#include "QVTVConsent/engine/QVCoreEngineFactory.h"
#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/model/ColorUtils.h"
#include "QVTVConsent/data/DataFactory.h"
#include "QVTVConsent/ui/controls/AccessibilityText.h"
#include "QVTVConsent/ui/controls/QVLoading.h"
#include "QVTVConsent/ui/controls/Spacer.h"
#include "QVTVConsent/ui/controls/UIExtensions.h"
#include "QVTVConsent/ui/datarequest/DataRequestSubmission.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterDSARView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterHTMLContentView.h"
#include "QVTVConsent/ui/preferences/QVPreferenceCenterSettingsView.h"
#include "QVTVConsent/ui/preferences/QVTabView.h"
#include "platform/DispatchQueue.h"
#include "tvkit/app/AlertController.h"
#include "platform/Task.h"
#include "tvkit/app/Application.h"
#include "tvkit/input/TapGestureRecognizer.h"
#include "tvkit/layout/LayoutConstraint.h"

namespace qvtv {

namespace {

using Records = std::vector<std::shared_ptr<QVConsentData>>;
using Categories = std::vector<std::shared_ptr<QVCategory>>;

constexpr double cardWidthShare = 0.55;
constexpr double toastDuration = 2.0;
constexpr double bodyInset = 16;

// The copy sent for the record: essential categories and their packages always on, everything
// else off when declining and as switched otherwise. The objects on screen stay untouched.
Categories consentCopies(const Categories& categories, bool decline) {
    Categories copies;
    copies.reserve(categories.size());
    for (const auto& category : categories) {
        const bool essential = category->type == QVCategoryType::essential;
        auto copy = std::make_shared<QVCategory>();
        copy->type = category->type;
        copy->name = category->name;
        copy->description = category->description;
        copy->isExpanded = category->isExpanded;
        copy->isEnabled = essential || (!decline && category->isEnabled);
        for (const auto& pkg : category->packages) {
            auto pkgCopy = std::make_shared<QVPackage>(*pkg);
            pkgCopy->isExpanded = false;
            pkgCopy->setEnabled(essential || (!decline && pkg->isEnabled()));
            copy->packages.push_back(std::move(pkgCopy));
        }
        copies.push_back(std::move(copy));
    }
    return copies;
}

std::string describe(const Categories& categories) {
    std::string text = "[";
    for (const auto& category : categories) {
        if (text.size() > 1) text += ", ";
        text += category->name + (category->isEnabled ? ": on" : ": off");
    }
    return text + "]";
}

std::optional<QVError> initialisationError() {
    const auto state = QVCoreEngineFactory::initialisationResult();
    if (state.data()) return std::nullopt;
    return QVError{state.msg(), state.code(), state.error().value_or(state.msg())};
}

} // namespace

QVPreferenceCenterViewController::QVPreferenceCenterViewController() {
    setTitle(AccessibilityText::preferenceCenterTitle);
    container_ = tvkit::View::make<tvkit::StackView>();
}

void QVPreferenceCenterViewController::viewDidLoad() {
    setupLayout();
    setupTabs();
    if (data && !data->tabs.empty()) showTab(data->tabs.front());
}

void QVPreferenceCenterViewController::setupLayout() {
    const tvkit::Color background = ColorUtils::fromHex(data ? data->backgroundColor : std::string());
    card_ = tvkit::View::make();
    card_->setBackgroundColor(background);
    card_->layer().setCornerRadius(8);
    card_->layer().setShadow(background, 0.25, 24, {0, 16});
    card_->layer().setMasksToBounds(false);
    card_->setTranslatesAutoresizingMaskIntoConstraints(false);
    view()->addSubview(card_);

    const double width = tvkit::Application::shared().screenBounds().width() * cardWidthShare;
    container_->setAxis(tvkit::LayoutAxis::vertical);
    container_->setDistribution(tvkit::StackView::Distribution::fill);
    // Centred rather than leading: the body is 16 narrower than the tab bar on each side.
    container_->setAlignment(tvkit::StackView::Alignment::center);
    container_->setTranslatesAutoresizingMaskIntoConstraints(false);
    card_->addSubview(container_);
    tvkit::LayoutConstraint::activate({
        card_->widthAnchor().equalToConstant(width),
        card_->centerXAnchor().equalTo(view()->centerXAnchor()),
        card_->centerYAnchor().equalTo(view()->centerYAnchor()),
        container_->leadingAnchor().equalTo(card_->leadingAnchor(), 24),
        container_->trailingAnchor().equalTo(card_->trailingAnchor(), -24),
        container_->topAnchor().equalTo(card_->topAnchor(), 16),
        container_->bottomAnchor().equalTo(card_->bottomAnchor(), -24),
    });
}

void QVPreferenceCenterViewController::setupTabs() {
    tabBar_ = tvkit::View::make<tvkit::StackView>();
    tabBar_->setAxis(tvkit::LayoutAxis::horizontal);
    tabBar_->setSpacing(16);
    tabBar_->setDistribution(tvkit::StackView::Distribution::fill);
    tabBar_->setAlignment(tvkit::StackView::Alignment::top);
    container_->addArrangedSubview(tabBar_);
    tvkit::LayoutConstraint::activate({tabBar_->leadingAnchor().equalTo(container_->leadingAnchor()),
                                       tabBar_->trailingAnchor().equalTo(container_->trailingAnchor())});
    if (!data) return;
    for (std::size_t index = 0; index < data->tabs.size(); ++index) {
        const QVPreferenceCenterTab& tab = data->tabs[index];
        auto tabView = std::make_shared<QVTabView>(
            tab.heading, ColorUtils::fromHex(tab.buttonBGColor), ColorUtils::fromHex(tab.textColor, 0.7),
            [this, index](QVTabView& chosen) { selectTab(chosen, data->tabs[index]); });
        // Built in the selected colours; every tab starts in its unselected look.
        tabView->updateAppearance();
        tabViews_.push_back(tabView);
        tabBar_->addArrangedSubview(tabView);
    }
    tabBar_->addArrangedSubview(tvkit::View::make<Spacer>());
    if (!tabViews_.empty()) {
        tabViews_.front()->setSelectedValue(true);
        tabViews_.front()->updateAppearance();
    }
}

void QVPreferenceCenterViewController::selectTab(QVTabView& tabView, const QVPreferenceCenterTab& tab) {
    for (const auto& each : tabViews_) {
        each->setSelectedValue(false);
        each->updateAppearance();
    }
    tabView.setSelectedValue(true);
    tabView.updateAppearance();
    showTab(tab);
}

void QVPreferenceCenterViewController::showTab(const QVPreferenceCenterTab& tab) {
    if (body_) {
        container_->removeArrangedSubview(body_.get());
        body_->removeFromSuperview();
        body_.reset();
    }
    const bool showBranding = !data->removeBranding;
    const std::string& textColor = data->textColor;
    const auto nothing = [](tvkit::View&) {};
    std::shared_ptr<tvkit::View> next;
    if (const auto* settings = std::get_if<std::shared_ptr<QVSettingsData>>(&tab.content)) {
        auto view = std::make_shared<QVPreferenceCenterSettingsView>(tab, *settings, tab.type, this);
        QVPreferenceCenterSettingsView* raw = view.get();
        view->assemble(showBranding, textColor, [raw](tvkit::View&) { raw->onViewReady(); });
        next = view;
    } else if (const auto* page = std::get_if<std::shared_ptr<QVHTMLPageData>>(&tab.content)) {
        auto view = std::make_shared<QVPreferenceCenterHTMLContentView>(*page, tab.type, this);
        view->setTextCache(&texts_);
        view->assemble(showBranding, textColor, nothing);
        next = view;
    } else if (const auto* form = std::get_if<std::shared_ptr<QVDataRequestFormData>>(&tab.content)) {
        auto view = std::make_shared<QVPreferenceCenterDSARView>(*form, tab.type, this);
        view->assemble(showBranding, textColor, nothing);
        next = view;
    }
    if (!next) return;
    container_->addArrangedSubview(next);
    next->widthAnchor().equalToMultiple(container_->widthAnchor(), 1, -2 * bodyInset)->setActive(true);
    body_ = std::move(next);
}

void QVPreferenceCenterViewController::viewWillAppear(bool animated) {
    tvkit::ViewController::viewWillAppear(animated);
    // One recogniser for the screen's whole life: a screen shown again must not run the cancel
    // flow twice for one Menu press.
    if (menuRecognizer_) return;
    auto menu = std::make_shared<tvkit::TapGestureRecognizer>([this](tvkit::GestureRecognizer&) { menuButtonAction(); });
    menu->setAllowedPressTypes({tvkit::PressType::menu});
    menuRecognizer_ = menu;
    view()->addGestureRecognizer(std::move(menu));
}

std::vector<tvkit::KeyCommand> QVPreferenceCenterViewController::keyCommands() const {
    auto* self = const_cast<QVPreferenceCenterViewController*>(this);
    return {tvkit::KeyCommand{tvkit::KeyCommand::inputEscape, [self] { self->handleESCKey(); }, ""}};
}

bool QVPreferenceCenterViewController::shouldUpdateFocus(const tvkit::FocusUpdateContext& context) {
    if (!tvkit::ViewController::shouldUpdateFocus(context)) return false;
    if (tvkit::View* previous = context.previouslyFocusedView()) lastFocusedView_ = previous->weak_from_this();
    return true;
}

void QVPreferenceCenterViewController::handleESCKey() { onCancelTap(); }

void QVPreferenceCenterViewController::menuButtonAction() { onCancelTap(); }

void QVPreferenceCenterViewController::onCancelTap() {
    std::shared_ptr<tvkit::ViewController> presenting;
    if (tvkit::ViewController* raw = presentingViewController()) presenting = raw->shared_from_this();
    auto self = std::static_pointer_cast<QVPreferenceCenterViewController>(shared_from_this());
    dismiss(false, [self, presenting] { self->handleCancel(presenting); });
}

void QVPreferenceCenterViewController::handleCancel(const std::shared_ptr<tvkit::ViewController>& presenting) {
    notifyConsentEvent(QVDataMessage<Records>(499, ""), "onCancelTap");
    const auto engine = QVConsentEngineFactory::currentEngine();
    if (!engine.data() || !*engine.data() || !presenting) return;
    if (auto error = initialisationError()) {
        QVLogger::e(logTag, "didTapButton(cancel)", error);
        return;
    }
    const std::string id = applicationId.value_or("");
    try {
        if (DataFactory::repository()->getConsentStatus(id).data() == QVConsentStatus::collected) return;
        const QVMessage result = (*engine.data())->showConsentBannerFor(id, presenting);
        std::optional<QVError> error;
        if (result.error()) error = QVError{*result.error(), 500, *result.error()};
        QVLogger::e(logTag, "onCancelTap()=>" + result.msg(), error);
    } catch (const std::exception&) {
        // The library was cleared meanwhile: the screen is closed and there is no banner to show.
    }
}

void QVPreferenceCenterViewController::onSaveConsentTap() {
    if (!data) return;
    for (const auto& tab : data->tabs) {
        if (const auto* settings = std::get_if<std::shared_ptr<QVSettingsData>>(&tab.content)) {
            submitConsent((*settings)->categories, false);
            return;
        }
    }
}

void QVPreferenceCenterViewController::onDeclineTap() {
    if (!data) return;
    for (const auto& tab : data->tabs) {
        if (const auto* settings = std::get_if<std::shared_ptr<QVSettingsData>>(&tab.content)) {
            submitConsent((*settings)->categories, true);
            return;
        }
    }
}

void QVPreferenceCenterViewController::showFailure(const std::string& message) {
    QVLoading::hide();
    std::optional<tvkit::YAxisAnchor> anchor;
    if (body_) anchor = body_->bottomAnchor();
    showToast(*this, message, anchor, false, toastDuration);
}

void QVPreferenceCenterViewController::submitConsent(const Categories& categories, bool decline) {
    QVLoading::show();
    // The copies are taken here, on the main thread, where the switches change.
    const Categories copies = consentCopies(categories, decline);
    const std::string id = applicationId.value_or("");
    auto self = std::static_pointer_cast<QVPreferenceCenterViewController>(shared_from_this());
    platform::DispatchQueue::global().async([self, copies, id, decline] {
        auto& main = platform::DispatchQueue::main();
        std::shared_ptr<ConsentRepository> repository;
        try {
            repository = DataFactory::repository();
        } catch (const DataFactoryError& error) {
            main.async([self, text = std::string(error.what())] { self->showFailure(text); });
            return;
        }
        const QVDataMessage<Records> message = repository->saveConsent(id, copies, decline).get();
        if (message.code() == 200) {
            try {
                // The SDKs get exactly what was stored, essential categories included.
                if (decline) {
                    ConsentAdapterHelper::denyAll(QVConsentStatus::collected, copies);
                } else {
                    ConsentAdapterHelper::applyConsent(QVConsentStatus::collected, copies);
                }
            } catch (const std::exception& error) {
                main.async([self, text = std::string(error.what())] { self->showFailure(text); });
                return;
            }
        }
        main.async([self, message, operation = "submitConsent(" + describe(copies) + ")"] {
            if (message.code() != 200) {
                self->showFailure(message.msg());
            } else {
                QVLoading::hide();
                self->dismiss(true);
            }
            self->notifyConsentEvent(message, operation);
        });
    });
}

void QVPreferenceCenterViewController::notifyConsentEvent(const QVDataMessage<Records>& message,
                                                          const std::string& operation) {
    if (auto error = initialisationError()) {
        QVLogger::e(logTag, "didTapButton(cancelButton)", error);
        return;
    }
    const auto core = QVCoreEngineFactory::initialisationResult().data();
    const std::string id = applicationId.value_or("");
    const auto clientId = (*core)->getClientId(id).data();
    if (!clientId) {
        QVLogger::e(logTag, "clientId == nil",
                    QVError{operation, 500, std::string("Fatal Error!, QVConsentEngine has not been initialized.")});
        return;
    }
    ConsentEventPoster::notify(*QVConsentEventManager::shared(), id, *clientId, QVUserConsentActionType::customize,
                               QVConsentStatus::collected, message);
}

void QVPreferenceCenterViewController::onSubmitDSARRequestTap() {
    if (!data) return;
    const auto tab = std::find_if(data->tabs.begin(), data->tabs.end(), [](const QVPreferenceCenterTab& t) {
        return t.type == QVPreferenceCenterTabType::dataRequest &&
               std::holds_alternative<std::shared_ptr<QVDataRequestFormData>>(t.content);
    });
    if (tab == data->tabs.end()) return;
    const QVPreferenceCenterTab formTab = *tab;
    const auto form = std::get<std::shared_ptr<QVDataRequestFormData>>(formTab.content);
    QVLoading::show();
    auto self = std::static_pointer_cast<QVPreferenceCenterViewController>(shared_from_this());
    // A data request is no consent choice: no event goes out, whatever the outcome.
    DataRequestSubmission::send(DataRequestSubmission::makeBody(*form, applicationId.value_or("")))
        .then(platform::DispatchQueue::main(), [self, form, formTab](const QVMessage& message) {
            if (message.code() != 200) {
                self->showFailure(message.msg());  // the form keeps what was typed
                return;
            }
            QVLoading::hide();
            auto alert = std::make_shared<tvkit::AlertController>("", form->formSubmitFeedbackMessage);
            alert->addAction({"Ok", tvkit::AlertAction::Style::defaultStyle, nullptr});
            self->present(alert, true);
            DataRequestSubmission::reset(*form);
            self->showTab(formTab);
        });
}

} // namespace qvtv
