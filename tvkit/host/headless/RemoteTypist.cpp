#include "tvkit/host/headless/RemoteTypist.h"

namespace tvkit {

bool RemoteTypist::moveTo(const View& key) {
    const int presses = host_.pressArrowsTo(key);
    if (presses < 0) return false;
    presses_ += presses;
    return true;
}

bool RemoteTypist::select(const View& key) {
    if (!moveTo(key)) return false;
    host_.press(PressType::select);
    ++presses_;
    return true;
}

bool RemoteTypist::press(KeyRole role) {
    KeyGridView& grid = keyboard_.keyGrid();
    for (const auto& button : grid.keyButtons()) {
        if (grid.keyFor(button.get())->role == role) return select(*button);
    }
    return false;
}

bool RemoteTypist::type(std::string_view text) {
    KeyGridView& grid = keyboard_.keyGrid();
    const auto& pages = grid.layout().pages();
    for (std::size_t i = 0; i < text.size();) {
        // The key that types the longest piece of what is left (".com" before ".").
        std::size_t bestPage = 0, bestKey = 0, bestLength = 0;
        bool bestShift = false;
        for (std::size_t page = 0; page < pages.size(); ++page) {
            for (std::size_t k = 0; k < pages[page].keys.size(); ++k) {
                const KeyboardKey& key = pages[page].keys[k];
                if (key.role != KeyRole::character && key.role != KeyRole::space) continue;
                for (bool shift : {false, true}) {
                    const std::string& typed = shift ? key.shifted : key.text;
                    if (typed.size() > bestLength && text.substr(i, typed.size()) == typed) {
                        bestPage = page, bestKey = k, bestLength = typed.size(), bestShift = shift;
                    }
                }
            }
        }
        if (bestLength == 0) return false;
        while (grid.page() != bestPage) {
            if (!press(KeyRole::nextPage)) return false;
        }
        if (grid.isShifted() != bestShift && !press(KeyRole::shift)) return false;
        if (!select(*grid.keyButtons()[bestKey])) return false;
        i += bestLength;
    }
    return true;
}

} // namespace tvkit
