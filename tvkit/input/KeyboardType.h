#pragma once
// The kind of on-screen keyboard a text field asks for. Fields that take an e-mail address or a
// phone number get a layout with the characters those need on the first page.
//
//   field.keyboardType = tvkit::KeyboardType::emailAddress;

namespace tvkit {

// `standard` is the platform's default keyboard ("default" is reserved in C++).
enum class KeyboardType { standard, emailAddress, phonePad };

} // namespace tvkit
