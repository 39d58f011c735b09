#include "tools/sdk-fakes/RecordingSdkObject.h"

namespace sdkfakes {

RecordingSdkObject::RecordingSdkObject(std::string name, std::shared_ptr<CallJournal> journal)
    : name_(std::move(name)), journal_(std::move(journal)) {}

RecordingSdkObject& RecordingSdkObject::answers(const std::string& selector, Reply reply) {
    replies_[selector] = std::move(reply);
    return *this;
}

bool RecordingSdkObject::respondsTo(std::string_view selector) const {
    return replies_.find(selector) != replies_.end();
}

platform::ObjectHandle RecordingSdkObject::send(std::string_view selector,
                                                const std::vector<platform::RuntimeValue>& args) {
    std::string line = name_ + " " + std::string(selector);
    if (!args.empty()) {
        line += "(";
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (i > 0) line += ", ";
            line += platform::describe(args[i]);
        }
        line += ")";
    }
    journal_->record(std::move(line));
    auto it = replies_.find(selector);
    if (it == replies_.end() || !it->second) return nullptr;
    return it->second(args);
}

} // namespace sdkfakes
