#include "ui/prompt.h"

#include "model/catalogue.h"
#include "ui/construction.h"
#include "ui/modes.h"

namespace kv {

namespace {

std::string KindWord(int kind) {
    switch (kind) {
        case kKindNumber:
        case kSlotChosenNumber:
            return "数値";
        case kKindPoint:
            return "点";
        case kKindLine:
            return "直線";
        case kKindCircle:
            return "円";
        default:
            return "";
    }
}

std::string OfHowMany(int which, int count) {
    return " (" + std::to_string(which) + "/" + std::to_string(count) + ")";
}

// The input of the construction being built that is asked for now.
std::string ConstructionPrompt(const App& app) {
    const Figure& f = app.figure;
    if (f.ProcedureCount < 1) return "";
    const int p = f.ProcedureCount;
    const std::string code = CodeOf(f, p);
    const Session& s = app.session;
    if (s.PickFor == PickPurpose::kPolygonVertex) {
        return "「" + ProcedureDisplayName("LPGN") + "」: 頂点を選んでください" +
               OfHowMany(s.PolygonVertexNo, s.PolygonVertexCount);
    }
    const int next = NextInputSlot(f);
    if (next == 0) return "";
    int which = 0, count = 0;
    for (int j = 1; j <= kSlots; ++j) {
        const i16 kind = f.ProcInput[p][j].kind;
        if (kind == 0 || kind == kSlotMacroStep) continue;
        ++count;
        if (j <= next) ++which;
    }
    const i16 kind = f.ProcInput[p][next].kind;
    std::string what = KindWord(kind);
    if (kind == kKindLine && f.InputFormFilter[next] == 1) what = "線分";
    const std::string ask = kind == kSlotChosenNumber ? "数値を選ぶか,新しく入力してください"
                                                      : what + "を選んでください";
    return "「" + ProcedureDisplayName(code) + "」: " + ask + OfHowMany(which, count);
}

}  // namespace

std::string PromptOf(const App& app) {
    const Session& s = app.session;
    const std::string kind = KindWord(s.PickKind);
    switch (CurrentMode(s)) {
        case kModeConstructionPick:
            return ConstructionPrompt(app);
        case kModeDragPick:
            return "動かす点を選んでください";
        case kModeDeform:
            return s.DragPoint != 0 ? "ドラッグか矢印キーで点を動かします (Escで終了)"
                                    : "動かせる点がありません (Escで終了)";
        case kModeEditPick:
            return "属性を設定する" + kind + "を選んでください";
        case kModeBindPointPick:
            return "束縛する点を選んでください";
        case kModeBinding:
            return "束縛の種類を選んでください";
        case kModeBindTargetPick:
            return "束縛先の" + kind + "を選んでください";
        case kModeNewPoint:
            return "クリックした所に新しい点を置きます (Escで終了)";
        default:
            return "";
    }
}

}  // namespace kv
