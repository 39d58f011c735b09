#pragma once
// A viewer at the on-screen keyboard with only a remote, for tests and scripted tours on the
// headless host: walks to each key with the arrows and presses Select, switching pages and shift
// as the characters need.
//
//   tvkit::RemoteTypist viewer(host, keyboard);
//   viewer.type("jane@example.com");

#include "tvkit/host/headless/HeadlessHost.h"
#include "tvkit/keyboard/OnScreenKeyboard.h"

#include <string_view>

namespace tvkit {

class RemoteTypist {
public:
    RemoteTypist(HeadlessHost& host, OnScreenKeyboard& keyboard) : host_(host), keyboard_(keyboard) {}

    // Moves focus to `key` with arrow presses only; false when it cannot get there.
    bool moveTo(const View& key);
    // Moves to the key of `role` on the current page and selects it.
    bool press(KeyRole role);
    // Types every character of `text` through the keys; false at the first it cannot type.
    bool type(std::string_view text);
    int presses() const { return presses_; }

private:
    bool select(const View& key);

    HeadlessHost& host_;
    OnScreenKeyboard& keyboard_;
    int presses_ = 0;
};

} // namespace tvkit
