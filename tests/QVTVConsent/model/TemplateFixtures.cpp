#include "TemplateFixtures.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace templatetest {

nlohmann::json fixture(const std::string& relativePath) {
    const std::string path = std::string(QVTV_FIXTURES_DIR) + "/" + relativePath;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("missing fixture " + path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return nlohmann::json::parse(text, nullptr, false);
}

} // namespace templatetest
