#include "tools/sdk-fakes/CallJournal.h"

namespace sdkfakes {

void CallJournal::record(std::string line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
}

std::vector<std::string> CallJournal::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

void CallJournal::clear() {
    std::lock_guard lock(mutex_);
    lines_.clear();
}

} // namespace sdkfakes
