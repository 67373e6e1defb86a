#include "cli/headless_host.h"

#include <QTime>
#include <algorithm>
#include <ostream>
#include <string>

namespace kv {

void HeadlessHost::Message(const std::string& prompt, const std::string&) {
    ++messages_;
    std::string line = prompt;
    std::erase(line, '\r');
    std::replace(line.begin(), line.end(), '\n', ' ');
    err_ << "korvinth: " << line << '\n';
}

void HeadlessHost::Beep() {
    ++beeps_;
    err_ << "korvinth: beep\n";
}

double HeadlessHost::TimeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace kv
