#pragma once
// An empty, transparent filler for stack views. Give it a fixed width and/or height, or leave
// it free so the stack stretches it (it gives way before any other member does).
//
//   row->addArrangedSubview(qvtv::Spacer::make(24, std::nullopt));   // 24 wide
//   row->addArrangedSubview(tvkit::View::make<qvtv::Spacer>());      // takes what is left

#include "tvkit/view/View.h"

#include <memory>
#include <optional>

namespace qvtv {

class Spacer : public tvkit::View {
public:
    Spacer();
    std::string_view className() const override { return "Spacer"; }

    // A spacer laid out by constraints only, with the given fixed dimensions.
    static std::shared_ptr<Spacer> make(std::optional<double> width, std::optional<double> height);
};

} // namespace qvtv
