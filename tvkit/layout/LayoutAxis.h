#pragma once
// The direction in which a stack lays out its members.
//
//   stack.axis = tvkit::LayoutAxis::horizontal;

namespace tvkit {

enum class LayoutAxis { horizontal, vertical };

} // namespace tvkit
