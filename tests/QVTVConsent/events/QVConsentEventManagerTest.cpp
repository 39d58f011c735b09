#include "QVTVConsent/events/QVConsentEventManager.h"
#include "QVTVConsent/events/ConsentEventPoster.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/RunLoop.h"

using namespace qvtv;

namespace {

// Hosts hold the manager but cannot post on it: only the library's poster can.
template <class Manager>
concept HostCanNotify = requires(Manager& events, const QVDataMessage<QVConsentEvent::Records>& envelope) {
    events.notify("a", "c", std::nullopt, QVConsentStatus::collected, envelope);
};
static_assert(!HostCanNotify<QVConsentEventManager>);

// What a closing screen tells: no payload, code 499.
void notifyClosing(QVConsentEventManager& events) {
    ConsentEventPoster::notify(events, "a", "c", std::nullopt, QVConsentStatus::pending,
                               QVDataMessage<QVConsentEvent::Records>(499, ""));
}

struct RecordingDelegate : QVConsentEventDelegate {
    explicit RecordingDelegate(std::string id) : id(std::move(id)) {}
    const std::string& applicationId() const override { return id; }
    void onConsentAction(const QVDataMessage<QVConsentEvent>& data) override { received.push_back(data); }

    std::string id;
    std::vector<QVDataMessage<QVConsentEvent>> received;
};

QVConsentEvent::Records oneRecord() {
    QVConsentData::Packages packages{std::make_shared<QVPackageConsent>("Firebase Analytics", "FirebaseAnalytics", true)};
    return {std::make_shared<QVConsentData>(QVConsentGiven::all, QVCategoryType::analytics, packages)};
}

// Observer callbacks run on the main queue: drain it.
void deliverMainQueue() { platform::RunLoop::main().runPending(); }

} // namespace

TEST(QVConsentEventManager, DelegatesGetTheirOwnCodeObserversTheEnvelopeCode) {
    deliverMainQueue();
    QVConsentEventManager events;
    auto first = std::make_shared<RecordingDelegate>("demo-tv-app");
    auto second = std::make_shared<RecordingDelegate>("some-other-app");
    events.addDelegate(1, first);
    events.addDelegate(2, second);
    std::vector<QVDataMessage<QVConsentEvent>> observed;
    events.addObserver(7, std::any{}, [&](const QVDataMessage<QVConsentEvent>& m) { observed.push_back(m); });

    ConsentEventPoster::notify(events, "demo-tv-app", "CLIENT-1", QVUserConsentActionType::accept,
                               QVConsentStatus::collected, QVDataMessage<QVConsentEvent::Records>(200, "", std::nullopt, oneRecord()));

    ASSERT_EQ(first->received.size(), 1u);
    ASSERT_EQ(second->received.size(), 1u) << "every delegate hears every event, whatever its application";
    EXPECT_EQ(first->received[0].data()->code(), 1);
    EXPECT_EQ(second->received[0].data()->code(), 2);
    EXPECT_EQ(first->received[0].code(), 200);
    EXPECT_TRUE(observed.empty()) << "observers are called on the main queue, not synchronously";
    deliverMainQueue();
    ASSERT_EQ(observed.size(), 1u);
    const QVConsentEvent& event = *observed[0].data();
    EXPECT_EQ(event.code(), 200);
    EXPECT_EQ(event.applicationId(), "demo-tv-app");
    EXPECT_EQ(event.clientId(), "CLIENT-1");
    EXPECT_EQ(event.type(), QVUserConsentActionType::accept);
    EXPECT_EQ(event.consentStatus(), QVConsentStatus::collected);
    ASSERT_EQ(event.data().size(), 1u);
    EXPECT_EQ(event.data()[0]->subConsents()[0]->packageId(), "FirebaseAnalytics");
}

TEST(QVConsentEventManager, EventDictionaryHasExactlyItsKeys) {
    QVConsentEvent withType(3, "a", "c", QVUserConsentActionType::customize, oneRecord(), QVConsentStatus::collected);
    const auto json = withType.toJson();
    EXPECT_EQ(json.size(), 6u);
    EXPECT_EQ(json["code"], 3);
    EXPECT_EQ(json["applicationId"], "a");
    EXPECT_EQ(json["clientId"], "c");
    EXPECT_EQ(json["type"], "Customize");
    EXPECT_EQ(json["consentStatus"], "Collected");
    EXPECT_EQ(json["data"][0]["MobileComplianceCategory"], "Analytics");
    EXPECT_EQ(json["data"][0]["MobilePackageConsents"][0]["PackageId"], "FirebaseAnalytics");

    QVConsentEvent recollection(200, "a", "c", std::nullopt, {}, QVConsentStatus::recollectionRequired);
    EXPECT_TRUE(recollection.toJson()["type"].is_null());
    EXPECT_EQ(recollection.toJson()["consentStatus"], "RecollectionRequired");
    EXPECT_EQ(recollection.description(), recollection.toJson().dump());
}

TEST(QVConsentEventManager, ReplacingAndRemovingRegistrations) {
    deliverMainQueue();
    QVConsentEventManager events;
    auto replaced = std::make_shared<RecordingDelegate>("a");
    auto kept = std::make_shared<RecordingDelegate>("a");
    events.addDelegate(5, replaced);
    events.addDelegate(5, kept);
    int oldObserverCalls = 0;
    int newObserverCalls = 0;
    events.addObserver(5, std::string("first"), [&](const auto&) { ++oldObserverCalls; });
    events.addObserver(5, std::string("second"), [&](const auto&) { ++newObserverCalls; });
    EXPECT_EQ(events.delegateCount(), 1u);
    EXPECT_EQ(events.observerCount(), 1u);

    // A closing screen: no payload, code 499; the records arrive as an empty list.
    notifyClosing(events);
    deliverMainQueue();
    EXPECT_TRUE(replaced->received.empty());
    ASSERT_EQ(kept->received.size(), 1u);
    EXPECT_TRUE(kept->received[0].data()->data().empty());
    EXPECT_EQ(kept->received[0].code(), 499);
    EXPECT_EQ(oldObserverCalls, 0) << "a replaced observer callback must not linger";
    EXPECT_EQ(newObserverCalls, 1);

    // Removing the observer of a code leaves the delegate under the same code in place.
    events.removeObserver(5);
    events.removeObserver(99);
    events.removeDelegate(99);
    notifyClosing(events);
    deliverMainQueue();
    EXPECT_EQ(newObserverCalls, 1);
    EXPECT_EQ(kept->received.size(), 2u);

    // A notification posted before removal but not yet delivered is not delivered afterwards.
    events.addObserver(6, std::any{}, [&](const auto&) { ++newObserverCalls; });
    notifyClosing(events);
    events.removeAll();
    deliverMainQueue();
    EXPECT_EQ(newObserverCalls, 1);
    EXPECT_EQ(kept->received.size(), 3u);
    EXPECT_EQ(events.delegateCount(), 0u);
    EXPECT_EQ(events.observerCount(), 0u);
    notifyClosing(events);
    deliverMainQueue();
    EXPECT_EQ(kept->received.size(), 3u);
    EXPECT_EQ(newObserverCalls, 1);
}
