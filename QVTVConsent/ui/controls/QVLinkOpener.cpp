#include "QVTVConsent/ui/controls/QVLinkOpener.h"

#include "platform/DispatchQueue.h"
#include "platform/LogSink.h"
#include "platform/Url.h"
#include "tvkit/app/AlertController.h"
#include "tvkit/app/Application.h"
#include "tvkit/app/LinkSheetController.h"
#include "tvkit/app/Window.h"

#include <memory>

namespace qvtv {

namespace {

tvkit::ViewController* topScreen() {
    tvkit::Window* window = tvkit::Application::shared().keyWindow();
    return window ? window->topViewController() : nullptr;
}

} // namespace

bool QVLinkOpener::open(const std::string& url) {
    auto& app = tvkit::Application::shared();
    if (app.openURLHandler()) return app.openURL(url);
    tvkit::ViewController* top = topScreen();
    if (!top) {
        platform::LogSink::write("[WARN] QVLinkOpener: no screen to show " + url + " on");
        return false;
    }
    top->present(std::make_shared<tvkit::LinkSheetController>(url), true);
    return true;
}

void QVLinkOpener::offer(const std::vector<tvkit::AttributedString::Link>& links) {
    std::vector<tvkit::AttributedString::Link> usable;
    for (const auto& link : links) {
        if (platform::Url::parse(link.url)) usable.push_back(link);
    }
    if (usable.empty()) return;
    if (usable.size() == 1) {
        open(usable.front().url);
        return;
    }
    tvkit::ViewController* top = topScreen();
    if (!top) return;
    auto list = std::make_shared<tvkit::AlertController>(listTitle, "", tvkit::AlertController::Style::actionSheet);
    for (const auto& link : usable) {
        list->addAction({link.text + " (" + link.url + ")", tvkit::AlertAction::Style::defaultStyle,
                         [url = link.url](const tvkit::AlertAction&) {
                             // The list's dismissal has just asked for focus to go back to the
                             // text; opening at the next turn lets that happen first, so the
                             // sheet in turn gives focus back to the text.
                             platform::DispatchQueue::main().async([url] { open(url); });
                         }});
    }
    list->addAction({"Close", tvkit::AlertAction::Style::cancel, nullptr});
    top->present(list, true);
}

} // namespace qvtv
