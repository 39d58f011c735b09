#include "QVTVConsent/core/JsonUtils.h"

#include <optional>

#include "QVTVConsent/core/QVLogger.h"
#include "QVTVConsent/core/JsonTextWriter.h"

namespace qvtv {
namespace {

// This thread's writing buffer, or nullptr once the thread (or the process, for the main thread)
// has begun destroying its objects: a static's destructor may still save.
std::string* threadScratch() {
    thread_local bool destroyed = false;  // trivially destructible, so readable to the end
    if (destroyed) return nullptr;
    thread_local struct Holder {
        std::string text;
        ~Holder() { destroyed = true; }
    } holder;
    return &holder.text;
}

// The text `write` streams into a writer; nothing when some text was not valid UTF-8.
template <class Write>
std::optional<std::string> writeText(Write&& write) {
    // A string grown by doubling for every save of a large document spends most of its time in
    // page faults and copies into fresh memory. Each thread writes into one buffer that keeps its
    // capacity instead, and hands out an exact-sized copy. The buffer is taken out while in use,
    // so a record whose own writing asks for text again simply starts a buffer of its own.
    std::string* scratch = threadScratch();
    std::string buffer = scratch ? std::move(*scratch) : std::string();
    buffer.clear();
    JsonTextWriter writer(buffer);
    write(writer);
    std::optional<std::string> text;
    if (writer.ok()) text.emplace(buffer);
    // Keep what an ordinary document needs, not the peak of an unusually large one.
    constexpr std::size_t kKeptCapacity = std::size_t{1} << 20;
    if (scratch && buffer.capacity() <= kKeptCapacity) *scratch = std::move(buffer);
    return text;
}

} // namespace

const nlohmann::json* JsonUtils::find(const nlohmann::json& object, std::string_view key) {
    if (!object.is_object()) return nullptr;
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::string JsonUtils::describe(const nlohmann::json* value) {
    if (!value) return "nil";
    if (value->is_string()) return value->get_ref<const std::string&>();
    return value->dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

QVError JsonUtils::invalidJsonError(std::string_view tag, const nlohmann::json* value) {
    const std::string text = describe(value);
    QVLogger::e(tag, "parse(" + text + ")");
    return QVError{"Invalid JSON (" + text + ")", 500, std::nullopt};
}

QVError JsonUtils::makeError(std::string_view domain, std::int64_t code, std::string_view message) {
    return QVError{std::string(domain), code, std::string(message)};
}

Result<std::string> JsonUtils::jsonString(const nlohmann::json& value, std::string_view debugTag) {
    // Text that is not valid UTF-8 is refused rather than stored garbled.
    auto text = writeText([&](JsonTextWriter& writer) { writer.value(value); });
    if (!text) return invalidJsonError(debugTag, &value);
    return std::move(*text);
}

Result<std::string> JsonUtils::jsonString(const JsonSerialisable& record, std::string_view debugTag) {
    auto text = writeText([&](JsonTextWriter& writer) { record.writeJson(writer); });
    if (text) return std::move(*text);
    const nlohmann::json value = record.toJson();
    return invalidJsonError(debugTag, &value);
}

} // namespace qvtv
