// Arbitrary bytes as a consent-service answer: the client must end in one of its three outcomes
// for every body, whether an empty body counts as success or not.

#include <cstddef>
#include <cstdint>
#include <string>

#include "QVTVConsent/data/ConsentApi.h"

namespace {

struct AnyObject {
    static qvtv::Result<AnyObject> fromJson(const nlohmann::json& value) {
        if (!value.contains("template")) return qvtv::QVError{"Invalid JSON", 500, std::nullopt};
        return AnyObject{};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string body(reinterpret_cast<const char*>(data), size);
    (void)qvtv::ConsentApi::decode<AnyObject>(body, false);
    (void)qvtv::ConsentApi::decode<qvtv::ApiNoContent>(body, true);
    (void)qvtv::ConsentApi::decode<qvtv::QVMessage>(body, true);
    return 0;
}
