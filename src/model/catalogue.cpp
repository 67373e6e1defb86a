#include "model/catalogue.h"

#include <array>
#include <cstdint>

#include "model/text.h"

namespace kv {

namespace {

// Shorthands for the table below.
constexpr CodeInfo Stored(std::string_view code, std::string_view name, std::string_view in,
                          std::string_view out) {
    CodeInfo c;
    c.code = code;
    c.displayName = name;
    c.inputs = in;
    c.outputs = out;
    return c;
}

constexpr CodeInfo Command(std::string_view code, std::string_view name, std::string_view in,
                           std::string_view out, std::string_view cmdIn, std::string_view cmdOut,
                           i16 form1 = -1, i16 form2 = -1, i16 filter1 = -1) {
    CodeInfo c = Stored(code, name, in, out);
    c.hasCommand = true;
    c.commandInputs = cmdIn;
    c.commandOutputs = cmdOut;
    c.outputForm1 = form1;
    c.outputForm2 = form2;
    c.inputFilter1 = filter1;
    return c;
}

constexpr CodeInfo Macro(std::string_view code, std::string_view name, std::string_view cmdIn) {
    CodeInfo c = Command(code, name, "", "", cmdIn, "");
    c.isMacro = true;
    return c;
}

constexpr std::array kCatalogue = {
    Command("P1", "三角形の外心", "PPP", "P", "PPP", "P", 1),
    Command("P2", "三角形の内心", "PPP", "P", "PPP", "P", 1),
    Command("P3", "三角形の重心", "PPP", "P", "PPP", "P", 1),
    Command("P4", "三角形の垂心", "PPP", "P", "PPP", "P", 1),
    Command("P5", "三角形の一傍心", "PPP", "P", "PPP", "P", 1),
    Command("P6", "三角形の九点円の中心", "PPP", "P", "PPP", "P", 1),
    Command("PC1", "交点（２直線）", "LL", "P", "LL", "P", 1),
    Command("PC2", "交点（直線と円）", "LC", "PP", "LC", "PP", 1, 1),
    Command("PC3", "交点（２円）", "CC", "PP", "CC", "PP", 1, 1),
    Command("PN", "内分・外分", "PPNN", "P", "PPNN", "P", 1),
    Command("PEXT", "２点からの延長", "PPN", "P", "PPN", "P", 1),
    Command("PT1", "点の回転", "PPN", "P", "PPN", "P", 1),
    Command("PT2", "点の線対称移動", "PL", "P", "PL", "P", 1),
    Command("PT3", "点の点対称移動", "PP", "P", "PP", "P", 1),
    Command("PT4", "点の円に関する反転", "PC", "P", "PC", "P", 1),
    Command("PNEW", "新しい点を取る", "", "P", "", "P", 0),
    Stored("PBND", "図形上に点を取る", "", "P"),
    Command("PXY", "x,y座標から点を作る", "NN", "P", "NN", "P", 1),
    Command("PO+", "(複素数としての)和", "PP", "P", "PP", "P", 1),
    Command("PO-", "(複素数としての)差", "PP", "P", "PP", "P", 1),
    Command("PO*", "(複素数としての)積", "PP", "P", "PP", "P", 1),
    Command("PO/", "(複素数としての)商", "PP", "P", "PP", "P", 1),
    Command("PO-1", "(複素数としての)逆数", "P", "P", "P", "P", 1),
    Command("PO^", "(複素数としての)巾(べき)", "PN", "P", "PN", "P", 1),
    Command("L1", "２点を結ぶ", "PP", "L", "PP", "L"),
    Command("L2", "平行線", "LP", "L", "LP", "L"),
    Command("L3", "垂線（とその足）", "LP", "LP", "LP", "L"),
    Command("L4", "垂直二等分線", "L", "L", "L", "L", -1, -1, 1),
    Command("L5", "円の接線（１点を通る）", "PC", "LL", "PC", "LL"),
    Command("L6", "２円の共通外接線", "CC", "LL", "CC", "LL"),
    Command("L7", "２円の共通内接線", "CC", "LL", "CC", "LL"),
    Command("L8", "極線", "PC", "L", "PC", "L"),
    Command("LH1", "角の２等分線(3点)", "PPP", "L", "PPP", "L", 2),
    Stored("LH2", "角のｎ等分線(3点と n(等分)の中の m 番目[0->すべて]を入力)", "PPPNN", "L"),
    Command("C1", "円（中心と半径）", "PN", "C", "PN", "C"),
    Command("C2", "円（中心と一点）", "PP", "C", "PP", "C"),
    Command("C3", "円（３点）", "PPP", "C", "PPP", "C"),
    Command("C4", "円（直径）", "L", "C", "L", "C", -1, -1, 1),
    Command("C5", "内接円", "PPP", "C", "PPP", "C"),
    Command("C6", "一傍接円", "PPP", "C", "PPP", "C"),
    Command("C7", "九点円", "PPP", "C", "PPP", "C"),
    Command("ND2P", "距離(2点)", "PP", "N", "PP", "#"),
    Command("NDPL", "距離(点,直線)", "PL", "N", "PL", "#"),
    Command("NDPC", "距離(点,円)", "PC", "N", "PC", "#"),
    Command("ND2L", "距離(2直線)", "LL", "N", "LL", "#"),
    Command("NDLC", "距離(直線,円)", "LC", "N", "LC", "#"),
    Command("ND2C", "距離(2円)", "CC", "N", "CC", "#"),
    Command("NA3P", "角度(3点/0-180)", "PPP", "N", "PPP", "#"),
    Command("NA3*", "角度(3点/1-360)", "PPP", "N", "PPP", "#"),
    Command("NA3+", "角度(3点/+-180)", "PPP", "N", "PPP", "#"),
    Stored("NA3M", "", "PPP", "N"),
    Command("NA2L", "角度(2直線)", "LL", "N", "LL", "#"),
    Command("NAR3", "面積(3角形)", "PPP", "N", "PPP", "#"),
    Command("NAR+", "面積(3角形,+/-)", "PPP", "N", "PPP", "#"),
    Command("NLC", "円周", "C", "N", "C", "#"),
    Command("NRC", "円の半径", "C", "N", "C", "#"),
    Command("NSIN", "SIN", "N", "N", "N", "#"),
    Command("NCOS", "COS", "N", "N", "N", "#"),
    Command("NTAN", "TAN", "N", "N", "N", "#"),
    Stored("CALC", "数式計算", "", "N"),
    Macro("PNEQ", "ｎ等分", "PPNM"),
    Macro("LH2+", "", "PPPNM"),
    Macro("LRGN", "正多角形(一辺とする2点)", "NPPM"),
    Macro("LPGN", "多角形", "NM"),
    Stored("LPG+", "", "", ""),
};

}  // namespace

std::span<const CodeInfo> CodeCatalogue() {
    return kCatalogue;
}

namespace {

// A code of up to seven bytes as one number, its bytes in order and its length in the top
// byte, so that a code is found by comparing numbers; 0 for a longer code (no catalogue code
// is one).
std::uint64_t PackedCode(std::string_view code) {
    if (code.empty() || code.size() > 7) return 0;
    std::uint64_t key = std::uint64_t{code.size()} << 56;
    for (size_t k = 0; k < code.size(); ++k)
        key |= std::uint64_t{static_cast<unsigned char>(code[k])} << (8 * k);
    return key;
}

}  // namespace

const CodeInfo* FindCode(std::string_view code) {
    // Looked up for every procedure a file holds: the codes are packed once.
    static const std::array<std::uint64_t, kCatalogue.size()> packed = [] {
        std::array<std::uint64_t, kCatalogue.size()> keys{};
        for (size_t k = 0; k < kCatalogue.size(); ++k) keys[k] = PackedCode(kCatalogue[k].code);
        return keys;
    }();
    while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
    const std::uint64_t key = PackedCode(code);
    if (key == 0) return nullptr;
    for (size_t k = 0; k < packed.size(); ++k)
        if (packed[k] == key) return &kCatalogue[k];
    return nullptr;
}

i16 OperationOf(std::string_view code) {
    const CodeInfo* c = FindCode(code);
    return c ? static_cast<i16>(c - kCatalogue.data() + 1) : i16{0};
}

std::string ProcedureDisplayName(std::string_view code) {
    const CodeInfo* c = FindCode(code);
    if (c && !c->displayName.empty()) return std::string(c->displayName);
    return std::string(code);
}

i16 KindOfLetter(char c) {
    switch (c) {
        case 'P':
            return kKindPoint;
        case 'L':
            return kKindLine;
        case 'C':
            return kKindCircle;
        default:
            return kKindNumber;
    }
}

}  // namespace kv
