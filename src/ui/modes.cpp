#include "ui/modes.h"

#include <array>

namespace kv {

namespace {

constexpr std::array<ModeInfo, 35> kModes = {{
    {1, "スタート", false},
    {2, "標準", false, true},
    {3, "ｵﾌﾟｼｮﾝ", false},
    {4, "補助", false},
    {5, "ヘルプ", false},
    {kModeDeform, "変形", false, true},
    {7, "ズーム", false},
    {kModeLoading, "例__読込", false},
    {kModeSaving, "保存中", false},
    {10, "編集", false},
    {11, "軌跡", false},
    {12, "関数選択", false},
    {kModeDragPick, "選択", true},
    {14, "複数選択", true},
    {kModeConstructionPick, "選択(作図中)", true},
    {kModeCalculating, "計算中", false, true},
    {kModeConstructing, "作図構成", false},
    {18, "作図開始", false},
    {19, "測定", false},
    {20, "ﾌｧｲﾙ消去", false},
    {21, "数式入力", false},
    {22, "数値変化", false},
    {23, "ｻﾌﾞﾒﾆｭｰ", false},
    {24, "マクロ", false},
    {25, "図形追加", false},
    {26, "回転", false},
    {27, "ﾌｧｲﾙ改名", false},
    {kModeNewPoint, "点の追加", false},
    {kModeEditPick, "選択(編集)", true},
    {kModeEditPoint, "編集", false},
    {kModeEditLine, "編集", false},
    {kModeEditCircle, "編集", false},
    {kModeBinding, "点の動きの束縛)", false},
    {kModeBindPointPick, "選択(束縛する点)", true},
    {kModeBindTargetPick, "選択(どこに束縛)", true},
}};

const ModeInfo* Find(int mode) {
    for (const ModeInfo& m : kModes)
        if (m.mode == mode) return &m;
    return nullptr;
}

}  // namespace

bool NamesMayHide(int mode) {
    const ModeInfo* m = Find(mode);
    return m && m->namesMayHide;
}

std::span<const ModeInfo> ModeTable() {
    return kModes;
}

bool PushMode(Session& s, i16 mode) {
    if (s.ModeDepth < 0 || s.ModeDepth >= kModeSlots - 1) return false;
    ++s.ModeDepth;
    s.ModeStack[s.ModeDepth] = mode;
    return true;
}

void PopMode(Session& s) {
    if (s.ModeDepth < 1) return;
    s.ModeStack[s.ModeDepth] = 0;
    --s.ModeDepth;
}

i16 CurrentMode(const Session& s) {
    if (s.ModeDepth < 0 || s.ModeDepth >= kModeSlots) return 0;
    return s.ModeStack[s.ModeDepth];
}

std::optional<std::string_view> KnownModeText(int mode) {
    const ModeInfo* m = Find(mode);
    if (m == nullptr) return std::nullopt;
    return m->text;
}

bool IsPickingMode(int mode) {
    const ModeInfo* m = Find(mode);
    return m != nullptr && m->picks;
}

}  // namespace kv
