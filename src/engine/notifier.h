#pragma once
// How the engine reaches the user: a message box and a beep, provided by the application.
// The engine never shows anything itself; headless use may leave either empty.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

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

// A notifier that passes each distinct message on to `inner` once while `shown` lives, and
// every beep. A problem met by many procedures of one recompute (an angle at a vertex far out
// in the plane, measured a thousand times) or by every step of a drag is shown once, not once
// for each time it occurs.
inline Notifier OncePerText(const Notifier& inner, std::vector<std::string>& shown) {
    Notifier once;
    once.message = [inner, &shown](const std::string& text) {
        if (std::find(shown.begin(), shown.end(), text) != shown.end()) return;
        shown.push_back(text);
        inner.Message(text);
    };
    once.beep = inner.beep;
    return once;
}

}  // namespace kv
