#include "tvkit/input/GestureRecognizer.h"

namespace tvkit {

void GestureRecognizer::recognize() {
    auto actions = actions_;  // an action may add or remove recognisers
    for (auto& action : actions) action(*this);
}

} // namespace tvkit
