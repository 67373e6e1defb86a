#pragma once
// A window's state driven the way the user drives it: free points placed by clicks,
// construction menu items, presses and keys through the dispatch, and the number dialog's
// buttons.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "fake_host.h"
#include "render/view_transform.h"
#include "support/recording_surface.h"
#include "ui/construction.h"
#include "ui/input_dispatch.h"
#include "ui/modes.h"
#include "ui/number_dialog.h"
#include "ui/picking.h"

namespace kv::test {

struct XYPair {
    double x, y;
};

class ConstructionRig : public ::testing::Test {
  protected:
    void SetUp() override { SetScreen(app.view, surface); }

    void Click(double x, double y) { Form_MouseDown(app, host, surface, kButtonLeft, 0, x, y); }
    void RightClick() { Form_MouseDown(app, host, surface, kButtonRight, 0, 0, 0); }
    void Key(int key) { Form_KeyDown(app, host, surface, key, 0); }
    bool Menu(std::string_view code, MenuVariant v = MenuVariant::kNone) {
        const int before = app.figure.ProcedureCount;
        RunConstructionMenu(app, host, surface, code, v);
        return app.figure.ProcedureCount > before;
    }
    // Free points placed by clicks in "自由な新しい点", which Esc then ends.
    void Points(std::initializer_list<XYPair> at) {
        StartNewPoint(app, host, surface);
        for (const XYPair& p : at) Click(p.x, p.y);
        Key(kKeyEsc);
    }
    // Picks the object nearest to (x, y): one click when it is already highlighted, else two.
    void Pick(double x, double y) {
        const int slot = NextInputSlot(app.figure);
        const int procs = app.figure.ProcedureCount;
        Click(x, y);
        if (Mode() == kModeConstructionPick && app.figure.ProcedureCount == procs &&
            NextInputSlot(app.figure) == slot)
            Click(x, y);
    }
    // A construction whose inputs are all picked by clicks; returns its first output.
    ObjectRef Build(std::string_view code, std::initializer_list<XYPair> at,
                    MenuVariant v = MenuVariant::kNone) {
        EXPECT_TRUE(Menu(code, v)) << code;
        for (const XYPair& p : at) Pick(p.x, p.y);
        EXPECT_EQ(CurrentMode(app.session), kModeStandard) << code;
        return app.figure.ProcOutput[app.figure.ProcedureCount][1];
    }

    Figure& fig() { return app.figure; }
    int Count(ObjectKind k) const { return app.figure.ObjectCount[k]; }
    i16 Mode() const { return CurrentMode(app.session); }

    App app;
    FakeHost host;
    RecordingSurface surface;
};

}  // namespace kv::test
