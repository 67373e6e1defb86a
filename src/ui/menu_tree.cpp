#include "ui/menu_tree.h"

#include <array>

namespace kv {
namespace {

using V = MenuVariant;

constexpr MenuEntry Item(int level, std::string_view name, std::string_view caption) {
    return {level, name, caption, false, {}, V::kNone};
}
constexpr MenuEntry Greyed(int level, std::string_view name, std::string_view caption) {
    return {level, name, caption, true, {}, V::kNone};
}
constexpr MenuEntry Construct(int level, std::string_view name, std::string_view caption,
                              std::string_view code, MenuVariant variant = V::kNone) {
    return {level, name, caption, false, code, variant};
}

// "垂心" (orthocentre) constructs P4 and "重心" (centroid) P3: each item builds the centre its
// caption names.
constexpr std::array kTree = {
    Item(0, "mnuFile", "ﾌｧｲﾙ"),
    Item(1, "mnuNew", "新規作成"),
    Item(1, "mnuLoad", "例の読み込み"),
    Item(1, "mnuSave", "保存"),
    Item(1, "mnuExit", "終了"),
    Item(0, "mnuDeform", "変形"),
    Item(1, "mnuDeform1Pt", "1点を動かす"),
    Greyed(1, "mnuDeformPts", "複数の点を動かす"),
    Greyed(1, "mnuVar", "変数の値を変える"),
    Item(0, "mnuConstruction", "作図(継続)"),
    Item(1, "mnuConstPoint", "点"),
    Item(2, "mnuPcross", "交点"),
    Construct(3, "mnuPcrossLL", "2直線の交点", "PC1"),
    Construct(3, "mnuPcrossLC", "直線と円", "PC2"),
    Construct(3, "mnuPcrossCC", "2円", "PC3"),
    Item(2, "mnuPbunten", "分点"),
    Construct(3, "mnuPtoubun", "n等分", "PNEQ"),
    Construct(3, "mnuPnaibun", "内分・外分", "PN"),
    Construct(3, "mnuPextension", "2点からの延長", "PEXT"),
    Item(2, "mnuPcenter", "5心など"),
    Construct(3, "mnuPgaishin", "外心", "P1"),
    Construct(3, "mnuPnaishin", "内心", "P2"),
    Construct(3, "mnuPsuishin", "垂心", "P4"),
    Construct(3, "mnuPjushin", "重心", "P3"),
    Construct(3, "mnuPboushin", "傍心(1つ)", "P5"),
    Construct(3, "mnuP9ptcCenter", "九点円の中心", "P6"),
    Item(2, "mnuPtransform", "移動・変換"),
    Construct(3, "mnuProtate", "点の回転", "PT1"),
    Construct(3, "mnuPlinesym", "線対称移動", "PT2"),
    Construct(3, "mnuPPsym", "点対称移動", "PT3"),
    Construct(3, "mnuPinversion", "円に関する反転", "PT4"),
    Item(2, "mnuPnew", "新しい点の追加"),
    Item(3, "mnuPnewFreeP", "自由な新しい点"),
    Item(3, "mnuPnewBounded", "図形上の新しい点"),
    Item(4, "mnuPboundL", "直線上"),
    Item(4, "mnuPboundC", "円上"),
    Item(2, "mnuPextra", "その他"),
    Construct(3, "mnuPxy", "xy座標を与える", "PXY"),
    Item(1, "mnuConstLine", "直線"),
    Construct(2, "mnlL2P", "2点を結ぶ", "L1"),
    Construct(2, "mnuLLP1", "直線に平行,1点を通る", "L2"),
    Construct(2, "mnuLLP2", "直線に垂直,1点を通る", "L3"),
    Construct(2, "mnuLperpendicular", "線分の垂直二等分線", "L4", V::kInputSegment),
    Construct(2, "mnuLPCtangent", "1点を通る,円の接線", "L5"),
    Construct(2, "mnuL2Ctangent1", "2円の共通外接線", "L6"),
    Construct(2, "mnuL2Ctangent2", "2円の共通内接線", "L7"),
    Construct(2, "mnuLPCpole", "点の円に関する極線", "L8"),
    Item(1, "mnuConst", "線分,多角形"),
    Construct(2, "mnuS2P", "2点を結ぶ線分", "L1", V::kOutputSegment),
    Construct(2, "mnuSPLperpendicular", "垂線の足(1点から直線へ)", "L3"),
    Construct(2, "mnuSpolygon", "多角形", "LPGN"),
    Construct(2, "mnuSRegularPolygon", "正多角形", "LRGN"),
    Item(1, "mnuCOnstHalfLine", "半直線"),
    Construct(2, "mnuH2P", "2点を結ぶ", "L1", V::kOutputHalfLine),
    Construct(2, "mnuHbisector", "角の2等分線", "LH1", V::kOutputHalfLine),
    Construct(2, "mnuHNsector", "角のn等分", "LH2+"),
    Item(1, "mnuConstCircle", "円"),
    Construct(2, "mnuCPN", "中心と半径", "C1"),
    Construct(2, "mnuC2P", "中心と1点", "C2"),
    Construct(2, "mnuCgaisetsu", "3点(外接円)", "C3"),
    Construct(2, "mnuCdiameter", "直径", "C4", V::kInputSegment),
    Construct(2, "mnuCnaisetsu", "内接円", "C5"),
    Construct(2, "mnuCbousetsu", "傍接円(1つ)", "C6"),
    Construct(2, "mnuC9pt", "九点円", "C7"),
    Item(1, "mnuConstImaginary", "複素数"),
    Construct(2, "mnuCMPplus", "＋", "PO+"),
    Construct(2, "mnuCMPminus", "－", "PO-"),
    Construct(2, "mnuCMPmulti", "×", "PO*"),
    Construct(2, "mnuCMPdiv", "÷", "PO/"),
    Construct(2, "mnuCMPpower", "  ＾  （べき）", "PO^"),
    Construct(2, "mnuCMPinv", "逆数(1/Z)", "PO-1"),
    Item(1, "mnuCredo", "繰り返し(Redo)"),
    Item(1, "mnuCundo", "最後抹消(undo)"),
    Item(0, "mnuMeasure", "測定"),
    Item(1, "mnuMdis", "距離"),
    Construct(2, "mnuMdis2P", "2点", "ND2P"),
    Construct(2, "mnuMdisPL", "点と直線", "NDPL"),
    Construct(2, "mnuMdisPC", "点と円", "NDPC"),
    Construct(2, "mnuMdis2L", "2直線", "ND2L"),
    Construct(2, "mnuMdisLC", "直線と円", "NDLC"),
    Construct(2, "mnuMdis2C", "2円", "ND2C"),
    Item(1, "mnuMangle", "角度"),
    Construct(2, "mnuMangle1", "3点(0 - 180)", "NA3P"),
    Construct(2, "mnuMangle2", "3点(0 - 360)", "NA3*"),
    Construct(2, "mnuMangle3", "3点(-180 - 180)", "NA3+"),
    Construct(2, "mnuMangle2L", "2直線 (0 - 90)", "NA2L"),
    Item(1, "mnuMarea", "面積"),
    Construct(2, "mnuMarea3P1", "3角形", "NAR3"),
    Construct(2, "mnuMarea3P2", "3角形(+/-)", "NAR+"),
    Item(1, "mnuMlength", "長さ"),
    Construct(2, "mnuMlengthCenshu", "円周", "NLC"),
    Construct(2, "mnuMlengthCradius", "円の半径", "NRC"),
    Greyed(1, "mnuMcalc", "数式"),
    Item(1, "mnuMfunc", "関数"),
    Construct(2, "mnuMFsin", "SIN", "NSIN"),
    Construct(2, "mnuMFcos", "COS", "NCOS"),
    Construct(2, "mnuMFtan", "TAN", "NTAN"),
    Item(1, "mnuMredo", "繰り返し(Redo)"),
    Item(1, "mnuMundo", "最後抹消(Undo)"),
    Item(0, "mnuZom", "ｽﾞｰﾑ"),
    Item(1, "mnuZoomDefault", "標準に戻す"),
    Item(1, "mnuZoomIn", "* 2"),
    Item(1, "mnuZoomOut", "/ 2"),
    Item(0, "mnuLocus", "軌跡"),
    Item(1, "mnuLocusOn", "On"),
    Item(1, "mnuLocusOff", "Off"),
    Item(1, "mnuLocusReset", "消去"),
    Item(1, "mnuLocusSet", "設定"),
    Item(2, "mnuLocusSetP", "点"),
    Item(2, "mnuLocusSetL", "直線"),
    Item(2, "mnuLocusSetC", "円"),
    Item(2, "mnuLocusSetN", "変数"),
    Item(0, "mnuOption", "ｵﾌﾟｼｮﾝ"),
    Item(1, "mnuOchrDisp", "文字表示"),
    Item(1, "mnuOAxis", "座標軸の表示"),
    Item(1, "mnuWidth", "線の幅"),
    Item(1, "mnuFont", "字の大きさ"),
    Item(1, "mnuKeta", "測定値の桁数"),
    Item(0, "mnuEdit", "編集"),
    Item(1, "mnuEbasic", "基本的なことの設定"),
    Item(2, "mnuEbasicPt", "点"),
    Item(2, "mnuEbasicLine", "直線"),
    Item(2, "mnuEbasicCircle", "円"),
    Item(2, "mnuEbasicNum", "変数"),
    Item(1, "mnuEboundedPt", "点の束縛条件の設定"),
    Item(1, "mnuEditFigDataView", "作図データの分析"),
    Item(1, "mnuBench", "ベンチマーク(100回変形)"),
    Item(1, "mnuEcallHis", "call history"),
    Item(0, "mnuHelp", "ﾍﾙﾌﾟ"),
    Item(1, "mnuVersion", "ﾊﾞｰｼﾞｮﾝ"),
};

}  // namespace

std::span<const MenuEntry> MenuTree() {
    return kTree;
}

bool IsSubmenu(std::span<const MenuEntry> tree, std::size_t i) {
    return i + 1 < tree.size() && tree[i + 1].level > tree[i].level;
}

}  // namespace kv
