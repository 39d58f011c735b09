// The smallest host of the library: it keeps its stores in a folder of its own, listens to
// consent events, initialises with a key that carries an SDK configuration (bounded by a
// deadline), and prints what the library answers.
//
//   minimal-host <data folder> [application id]

#include <chrono>
#include <iostream>
#include <memory>
#include <string>

#include "QVTVConsent/QVTVConsent.h"
#include "platform/Paths.h"
#include "platform/RunLoop.h"

namespace {

class PrintingDelegate : public qvtv::QVConsentEventDelegate {
public:
    explicit PrintingDelegate(std::string applicationId) : applicationId_(std::move(applicationId)) {}
    const std::string& applicationId() const override { return applicationId_; }
    void onConsentAction(const qvtv::QVDataMessage<qvtv::QVConsentEvent>& event) override {
        std::cout << "consent event: " << event.data()->description() << "\n";
    }

private:
    std::string applicationId_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: minimal-host <data folder> [application id]\n";
        return 2;
    }
    platform::Paths::setDataDirectory(argv[1]);
    const std::string applicationId = argc > 2 ? argv[2] : "demo-tv-app";

    const auto before = qvtv::QVConsentEngineFactory::currentEngine();
    std::cout << "before initialise: " << before.code() << " " << before.msg() << "\n";

    auto events = qvtv::QVConsentEventManager::shared();
    events->addDelegate(1, std::make_shared<PrintingDelegate>(applicationId));
    events->addObserver(2, std::any{}, [](const qvtv::QVDataMessage<qvtv::QVConsentEvent>& event) {
        std::cout << "observed on the main queue: " << event.code() << "\n";
    });

    qvtv::QVAuthKey key(applicationId, std::nullopt, {std::make_shared<qvtv::QVSingularConfig>("api-key", "secret")});
    bool answered = false;
    qvtv::QVConsentEngineFactory::initialise(
        key,
        [&](const qvtv::QVConsentEngineFactory::Result& result) {
            answered = true;
            std::cout << "initialise: " << result.code() << " " << result.msg() << "\n";
            if (result.data()) {
                const auto status = (*result.data())->getConsentStatus(applicationId);
                std::cout << "consent status: " << status.msg() << "\n";
            }
        },
        std::chrono::seconds(5));
    // The answer comes back on the main queue, which this thread drains.
    platform::RunLoop::main().runUntil([&] { return answered; }, std::chrono::seconds(10));
    return answered ? 0 : 1;
}
