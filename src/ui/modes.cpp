#include "ui/modes.h"

namespace kv {

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
    switch (mode) {
        case 1:
            return "スタート";
        case 2:
            return "標準";
        case 3:
            return "ｵﾌﾟｼｮﾝ";
        case 4:
            return "補助";
        case 5:
            return "ヘルプ";
        case 6:
            return "変形";
        case 7:
            return "ズーム";
        case 8:
            return "例__読込";
        case 9:
            return "保存中";
        case 10:
            return "編集";
        case 11:
            return "軌跡";
        case 12:
            return "関数選択";
        case 13:
            return "選択";
        case 14:
            return "複数選択";
        case 15:
            return "選択(作図中)";
        case 16:
            return "計算中";
        case 17:
            return "作図構成";
        case 18:
            return "作図開始";
        case 19:
            return "測定";
        case 20:
            return "ﾌｧｲﾙ消去";
        case 21:
            return "数式入力";
        case 22:
            return "数値変化";
        case 23:
            return "ｻﾌﾞﾒﾆｭｰ";
        case 24:
            return "マクロ";
        case 25:
            return "図形追加";
        case 26:
            return "回転";
        case 27:
            return "ﾌｧｲﾙ改名";
        case 28:
            return "点の追加";
        case 40:
            return "選択(編集)";
        case 42:
        case 43:
        case 44:
            return "編集";
        case 51:
            return "点の動きの束縛)";
        case 52:
            return "選択(束縛する点)";
        case 53:
            return "選択(どこに束縛)";
        default:
            return std::nullopt;
    }
}

bool IsPickingMode(int mode) {
    switch (mode) {
        case 13:
        case 14:
        case 15:
        case 40:
        case 52:
        case 53:
            return true;
        default:
            return false;
    }
}

}  // namespace kv
