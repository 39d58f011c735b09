#pragma once
// A weak box around an object, so a screen can list views that the view tree already owns
// without keeping them alive.
//
//   std::vector<qvtv::QVWeakRef<Button>> actions{qvtv::QVWeakRef(button)};
//   if (auto b = actions[0].value.lock()) b->focus();

#include <memory>

namespace qvtv {

template <class T>
struct QVWeakRef {
    QVWeakRef() = default;
    explicit QVWeakRef(const std::shared_ptr<T>& object) : value(object) {}

    std::weak_ptr<T> value;
};

} // namespace qvtv
