#pragma once
// The real window, offscreen, driven as a user would drive it: the host without its modal
// message box and beep, and a fixture that opens the window and clicks at figure positions.

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "qt/kv_win.h"
#include "qt/qt_host.h"
#include "render/view_transform.h"
#include "ui/modes.h"

namespace kv::test {

// The real host without its modal message box and beep; the messages are kept.
class QuietHost : public QtHost {
  public:
    explicit QuietHost(KVwin& w) : QtHost(w) {}
    std::vector<std::string> messages;
    void Message(const std::string& prompt, const std::string&) override {
        messages.push_back(prompt);
    }
    void Beep() override {}
};

// A fresh window of 700 x 560 with an empty figure, shown and exposed.
class OpenWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<KVwin>([](KVwin& w) { return std::make_unique<QuietHost>(w); });
        window->Start("");
        window->resize(700, 560);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // The canvas pixel that shows the figure position (x, y).
    QPoint PixelOf(double x, double y) const {
        const Canvas& c = window->canvas();
        const PixelPos p = MappingOf(window->app().view, c.width(), c.height()).WorldToPixel(x, y);
        return {static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y))};
    }
    void Click(double x, double y) {
        QTest::mouseClick(&window->canvas(), Qt::LeftButton, {}, PixelOf(x, y));
    }
    void Key(Qt::Key k) { QTest::keyClick(&window->canvas(), k); }
    int Mode() const { return CurrentMode(window->app().session); }

    // The control of a dialog by its objectName (a failure where there is none).
    template <class W>
    static W* Control(QWidget* dialog, const char* name) {
        W* w = dialog->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    std::unique_ptr<KVwin> window;
};

}  // namespace kv::test
