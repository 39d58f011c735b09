#pragma once
// Where diagnostic lines go. Every layer logs through one process-wide sink so a
// host (or a test) can redirect all of them at once.
//
//   platform::LogSink::write("[INFO] Tag: hello");       // stdout by default
//   platform::LogSink::setHandler([](std::string_view l) { myLog(l); });

#include <functional>
#include <string_view>

namespace platform {

class LogSink {
public:
    using Handler = std::function<void(std::string_view line)>;

    // Writes one whole line (a newline is added). Safe from any thread; lines never interleave.
    static void write(std::string_view line);

    // Replaces the destination; an empty handler restores standard output.
    static void setHandler(Handler handler);
};

} // namespace platform
