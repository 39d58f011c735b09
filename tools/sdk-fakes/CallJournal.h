#pragma once
// The ordered record of every message the fake SDK objects received, shared by all of them so a
// test sees the exact interleaving across classes. Safe from any thread.
//
//   auto journal = std::make_shared<sdkfakes::CallJournal>();
//   journal->record("Singular resumeAllTracking");
//   journal->lines();   // {"Singular resumeAllTracking"}

#include <mutex>
#include <string>
#include <vector>

namespace sdkfakes {

class CallJournal {
public:
    void record(std::string line);
    std::vector<std::string> lines() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

} // namespace sdkfakes
