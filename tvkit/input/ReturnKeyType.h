#pragma once
// The caption of the keyboard's return key. `next` moves on to the following field, `done` ends
// editing, `none` leaves the platform's default key.
//
//   field.returnKeyType = tvkit::ReturnKeyType::next;

namespace tvkit {

enum class ReturnKeyType { none, next, done };

} // namespace tvkit
