#pragma once
// How the engine reaches the user: a message box and a beep, provided by the application.
// The engine never shows anything itself; headless use may leave either empty.

#include <functional>
#include <string>

namespace kv {

struct Notifier {
    std::function<void(const std::string&)> message;
    std::function<void()> beep;

    void Message(const std::string& text) const {
        if (message) message(text);
    }
    void Beep() const {
        if (beep) beep();
    }
};

}  // namespace kv
