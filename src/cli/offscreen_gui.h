#pragma once
// Qt's font and image machinery for a headless command, without a display: a QGuiApplication
// on the offscreen platform (unless the caller chose a platform), made only when none exists,
// and Qt's own notices kept off stderr while it lives.

#include <QGuiApplication>
#include <QtGlobal>
#include <memory>

namespace kv {

class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    QtMessageHandler previousHandler_;
    int argc_ = 1;
    char name_[16] = "korvinth";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace kv
