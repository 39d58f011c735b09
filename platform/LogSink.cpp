#include "platform/LogSink.h"

#include <cstdio>
#include <mutex>

#include "platform/NoDestructor.h"

namespace platform {
namespace {

std::mutex& sinkMutex() {
    static std::mutex m;
    return m;
}

LogSink::Handler& currentHandler() {
    static NoDestructor<LogSink::Handler> h;
    return *h;
}

} // namespace

void LogSink::write(std::string_view line) {
    std::lock_guard lock(sinkMutex());
    if (auto& h = currentHandler()) {
        h(line);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void LogSink::setHandler(Handler handler) {
    std::lock_guard lock(sinkMutex());
    currentHandler() = std::move(handler);
}

} // namespace platform
