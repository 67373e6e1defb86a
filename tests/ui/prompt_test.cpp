// The prompt beside the status panels: which input of how many the command waits for, as the
// user goes through a few commands; the panels' own texts stay as they are.

#include <functional>
#include <string>

#include "construction_rig.h"
#include "ui/binding.h"
#include "ui/drag.h"
#include "ui/prompt.h"
#include "ui/status.h"

namespace kv::test {
namespace {

using Prompt = ConstructionRig;

TEST_F(Prompt, SaysWhichInputOfHowManyIsAskedFor) {
    Points({{0, 0}, {4, 0}, {0, 3}});
    EXPECT_EQ(PromptOf(app), "");
    const struct {
        std::function<void()> step;
        std::string prompt, panel1;
    } rows[] = {
        {[&] { Menu("P1"); }, "「三角形の外心」: 点を選んでください (1/3)", "選択(作図中)"},
        {[&] { Pick(0, 0); }, "「三角形の外心」: 点を選んでください (2/3)", "選択(作図中)"},
        {[&] { Key(kKeyEsc); }, "", "標準"},
        {[&] {
             Build("L1", {{0, 0}, {4, 0}}, MenuVariant::kOutputSegment);
         },
         "", "標準"},
        {[&] { Menu("C4"); }, "「円（直径）」: 線分を選んでください (1/1)", "選択(作図中)"},
        {[&] { Key(kKeyEsc); }, "", "標準"},
        {[&] { Menu("C1"); }, "「円（中心と半径）」: 点を選んでください (1/2)", "選択(作図中)"},
        {[&] { Pick(0, 3); }, "「円（中心と半径）」: 数値を選ぶか,新しく入力してください (2/2)",
         "選択(作図中)"},
        {[&] { Cmd_Cancel_Click(app, host, surface); }, "", "標準"},
        {[&] { Click(0, 0); }, "動かす点を選んでください", "選択"},
        {[&] { Click(0, 0); }, "ドラッグか矢印キーで点を動かします (Escで終了)", "変形"},
        {[&] { Key(kKeyEsc); }, "", "標準"},
        {[&] { mnuEboundedPt_Click(app, host, surface); }, "束縛する点を選んでください",
         "選択(束縛する点)"},
        {[&] { Key(kKeyEnter); }, "束縛の種類を選んでください", "点の動きの束縛)"},
        {[&] { BindKindChosen(app, host, surface, 2); }, "束縛先の直線を選んでください",
         "選択(どこに束縛)"},
        {[&] { Key(kKeyEsc); }, "", "標準"},
        {[&] { StartNewPoint(app, host, surface); },
         "クリックした所に新しい点を置きます (Escで終了)", "点の追加"},
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(++n);
        row.step();
        EXPECT_EQ(StatusOf(app).prompt, row.prompt);
        EXPECT_EQ(host.LastStatus().panel1, row.panel1);
    }
}

}  // namespace
}  // namespace kv::test
