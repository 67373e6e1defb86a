// The main window driven offscreen: caption, menu tree, check marks, menu enabling by mode,
// status-bar clicks, the canvas, the text viewer and the version window. Every dialog goes
// through a scripted host, so nothing modal ever opens.

#include <gtest/gtest.h>

#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "qt/about_box.h"
#include "qt/kv_win.h"
#include "qt/qt_host.h"
#include "qt/text_viewer.h"
#include "ui/modes.h"
#include "ui/status.h"

namespace kv {
namespace {

// The real window's host with every modal dialog answered from a script.
class ScriptedHost : public QtHost {
  public:
    explicit ScriptedHost(KVwin& w) : QtHost(w) {}

    std::deque<std::optional<std::string>> openAnswers;
    std::vector<std::string> messages;
    int openAsked = 0;
    int inputsAsked = 0;
    int beeps = 0;

    void Message(const std::string& prompt, const std::string&) override {
        messages.push_back(prompt);
    }
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        ++inputsAsked;
        return std::nullopt;
    }
    void Beep() override { ++beeps; }
    std::optional<std::string> OpenFileName() override {
        ++openAsked;
        if (openAnswers.empty()) return std::nullopt;
        auto a = openAnswers.front();
        openAnswers.pop_front();
        return a;
    }
    std::optional<std::string> SaveFileName() override { return std::nullopt; }
};

class Window : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<KVwin>([this](KVwin& w) {
            auto h = std::make_unique<ScriptedHost>(w);
            host = h.get();
            return h;
        });
        window->Start("");
        window->resize(700, 560);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override { window.reset(); }

    QAction* Action(const char* name) const {
        QAction* a = window->MenuAction(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    void Refresh() { RefreshStatus(window->app(), window->host()); }

    std::unique_ptr<KVwin> window;
    ScriptedHost* host = nullptr;
};

TEST_F(Window, CaptionAndStatusAtStartUp) {
    EXPECT_EQ(window->windowTitle(), QString("[untitled] Korvinth / Win 0.2.9"));
    EXPECT_EQ(window->statusPanels().PanelText(1), QString("標準"));
    EXPECT_EQ(window->statusPanels().PanelText(2), QString("untitled"));
    EXPECT_EQ(window->statusPanels().PanelText(3), QString("×軌"));
    EXPECT_EQ(window->statusPanels().PanelText(4), QString());
    EXPECT_EQ(window->findChild<KVStatus1*>("KVStatus1"), &window->statusPanels());
}

struct MenuRow {
    const char* name;
    const char* caption;
};

// Every item of the menu tree with its caption, in menu order.
constexpr MenuRow kMenuRows[] = {
    {"mnuFile", "ﾌｧｲﾙ"},
    {"mnuNew", "新規作成"},
    {"mnuLoad", "例の読み込み"},
    {"mnuSave", "保存"},
    {"mnuExit", "終了"},
    {"mnuDeform", "変形"},
    {"mnuDeform1Pt", "1点を動かす"},
    {"mnuDeformPts", "複数の点を動かす"},
    {"mnuVar", "変数の値を変える"},
    {"mnuConstruction", "作図(継続)"},
    {"mnuConstPoint", "点"},
    {"mnuPcross", "交点"},
    {"mnuPcrossLL", "2直線の交点"},
    {"mnuPcrossLC", "直線と円"},
    {"mnuPcrossCC", "2円"},
    {"mnuPbunten", "分点"},
    {"mnuPtoubun", "n等分"},
    {"mnuPnaibun", "内分・外分"},
    {"mnuPextension", "2点からの延長"},
    {"mnuPcenter", "5心など"},
    {"mnuPgaishin", "外心"},
    {"mnuPnaishin", "内心"},
    {"mnuPsuishin", "垂心"},
    {"mnuPjushin", "重心"},
    {"mnuPboushin", "傍心(1つ)"},
    {"mnuP9ptcCenter", "九点円の中心"},
    {"mnuPtransform", "移動・変換"},
    {"mnuProtate", "点の回転"},
    {"mnuPlinesym", "線対称移動"},
    {"mnuPPsym", "点対称移動"},
    {"mnuPinversion", "円に関する反転"},
    {"mnuPnew", "新しい点の追加"},
    {"mnuPnewFreeP", "自由な新しい点"},
    {"mnuPnewBounded", "図形上の新しい点"},
    {"mnuPboundL", "直線上"},
    {"mnuPboundC", "円上"},
    {"mnuPextra", "その他"},
    {"mnuPxy", "xy座標を与える"},
    {"mnuConstLine", "直線"},
    {"mnlL2P", "2点を結ぶ"},
    {"mnuLLP1", "直線に平行,1点を通る"},
    {"mnuLLP2", "直線に垂直,1点を通る"},
    {"mnuLperpendicular", "線分の垂直二等分線"},
    {"mnuLPCtangent", "1点を通る,円の接線"},
    {"mnuL2Ctangent1", "2円の共通外接線"},
    {"mnuL2Ctangent2", "2円の共通内接線"},
    {"mnuLPCpole", "点の円に関する極線"},
    {"mnuConst", "線分,多角形"},
    {"mnuS2P", "2点を結ぶ線分"},
    {"mnuSPLperpendicular", "垂線の足(1点から直線へ)"},
    {"mnuSpolygon", "多角形"},
    {"mnuSRegularPolygon", "正多角形"},
    {"mnuCOnstHalfLine", "半直線"},
    {"mnuH2P", "2点を結ぶ"},
    {"mnuHbisector", "角の2等分線"},
    {"mnuHNsector", "角のn等分"},
    {"mnuConstCircle", "円"},
    {"mnuCPN", "中心と半径"},
    {"mnuC2P", "中心と1点"},
    {"mnuCgaisetsu", "3点(外接円)"},
    {"mnuCdiameter", "直径"},
    {"mnuCnaisetsu", "内接円"},
    {"mnuCbousetsu", "傍接円(1つ)"},
    {"mnuC9pt", "九点円"},
    {"mnuConstImaginary", "複素数"},
    {"mnuCMPplus", "＋"},
    {"mnuCMPminus", "－"},
    {"mnuCMPmulti", "×"},
    {"mnuCMPdiv", "÷"},
    {"mnuCMPpower", "  ＾  （べき）"},
    {"mnuCMPinv", "逆数(1/Z)"},
    {"mnuCredo", "繰り返し(Redo)"},
    {"mnuCundo", "最後抹消(undo)"},
    {"mnuMeasure", "測定"},
    {"mnuMdis", "距離"},
    {"mnuMdis2P", "2点"},
    {"mnuMdisPL", "点と直線"},
    {"mnuMdisPC", "点と円"},
    {"mnuMdis2L", "2直線"},
    {"mnuMdisLC", "直線と円"},
    {"mnuMdis2C", "2円"},
    {"mnuMangle", "角度"},
    {"mnuMangle1", "3点(0 - 180)"},
    {"mnuMangle2", "3点(0 - 360)"},
    {"mnuMangle3", "3点(-180 - 180)"},
    {"mnuMangle2L", "2直線 (0 - 90)"},
    {"mnuMarea", "面積"},
    {"mnuMarea3P1", "3角形"},
    {"mnuMarea3P2", "3角形(+/-)"},
    {"mnuMlength", "長さ"},
    {"mnuMlengthCenshu", "円周"},
    {"mnuMlengthCradius", "円の半径"},
    {"mnuMcalc", "数式"},
    {"mnuMfunc", "関数"},
    {"mnuMFsin", "SIN"},
    {"mnuMFcos", "COS"},
    {"mnuMFtan", "TAN"},
    {"mnuMredo", "繰り返し(Redo)"},
    {"mnuMundo", "最後抹消(Undo)"},
    {"mnuZom", "ｽﾞｰﾑ"},
    {"mnuZoomDefault", "標準に戻す"},
    {"mnuZoomIn", "* 2"},
    {"mnuZoomOut", "/ 2"},
    {"mnuLocus", "軌跡"},
    {"mnuLocusOn", "On"},
    {"mnuLocusOff", "Off"},
    {"mnuLocusReset", "消去"},
    {"mnuLocusSet", "設定"},
    {"mnuLocusSetP", "点"},
    {"mnuLocusSetL", "直線"},
    {"mnuLocusSetC", "円"},
    {"mnuLocusSetN", "変数"},
    {"mnuOption", "ｵﾌﾟｼｮﾝ"},
    {"mnuOchrDisp", "文字表示"},
    {"mnuOAxis", "座標軸の表示"},
    {"mnuWidth", "線の幅"},
    {"mnuFont", "字の大きさ"},
    {"mnuKeta", "測定値の桁数"},
    {"mnuEdit", "編集"},
    {"mnuEbasic", "基本的なことの設定"},
    {"mnuEbasicPt", "点"},
    {"mnuEbasicLine", "直線"},
    {"mnuEbasicCircle", "円"},
    {"mnuEbasicNum", "変数"},
    {"mnuEboundedPt", "点の束縛条件の設定"},
    {"mnuEditFigDataView", "作図データの分析"},
    {"mnuBench", "ベンチマーク(100回変形)"},
    {"mnuEcallHis", "call history"},
    {"mnuHelp", "ﾍﾙﾌﾟ"},
    {"mnuVersion", "ﾊﾞｰｼﾞｮﾝ"},
};

TEST_F(Window, EveryMenuItemCarriesItsNameAndCaption) {
    std::vector<QString> order;
    for (const MenuRow& row : kMenuRows) {
        SCOPED_TRACE(row.name);
        QObject* found = window->findChild<QObject*>(row.name);
        ASSERT_NE(found, nullptr);
        if (auto* menu = qobject_cast<QMenu*>(found)) {
            EXPECT_EQ(menu->title(), QString::fromUtf8(row.caption));
        } else {
            auto* action = qobject_cast<QAction*>(found);
            ASSERT_NE(action, nullptr);
            EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
        }
        EXPECT_EQ(window->MenuAction(row.name)->text(), QString::fromUtf8(row.caption));
    }
    // The menu bar holds exactly the nine top-level menus, in order.
    QStringList bar;
    for (QAction* a : window->menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, QStringList({"ﾌｧｲﾙ", "変形", "作図(継続)", "測定", "ｽﾞｰﾑ", "軌跡", "ｵﾌﾟｼｮﾝ",
                                "編集", "ﾍﾙﾌﾟ"}));
}

// The menu names in the order a reader meets them, each submenu's items right after it.
void CollectMenuNames(const QList<QAction*>& actions, QStringList& names) {
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            names << "-";
            continue;
        }
        QMenu* sub = a->menu();
        names << (sub ? sub->objectName() : a->objectName());
        if (sub) CollectMenuNames(sub->actions(), names);
    }
}

// The menu tree's items in order; the window's added ones at the end of their menus, after one
// separator. Only the added shortcuts exist.
TEST_F(Window, TheMenusHoldEveryItemInTreeOrderWithTheAdditionsAtTheirEnds) {
    const std::map<QString, QStringList> added = {
        {"mnuExit", {"-", "mnuExportPicture", "mnuPrint"}},
        {"mnuCundo", {"-", "mnuCrestore"}},
        {"mnuMundo", {"-", "mnuMrestore"}},
        {"mnuZoomOut", {"-", "mnuZoomFit"}},
        {"mnuKeta", {"-", "mnuSmooth"}},
        {"mnuEcallHis", {"-", "mnuCopyPicture"}},
    };
    QStringList expected;
    for (const MenuRow& row : kMenuRows) {
        expected << row.name;
        if (const auto it = added.find(row.name); it != added.end()) expected << it->second;
    }
    QStringList shown;
    CollectMenuNames(window->menuBar()->actions(), shown);
    EXPECT_EQ(shown, expected);

    const std::map<QString, QString> shortcuts = {
        {"mnuCundo", "Ctrl+Z"},       {"mnuCrestore", "Ctrl+Y; Ctrl+Shift+Z"},
        {"mnuSave", "Ctrl+S"},        {"mnuLoad", "Ctrl+O"},
        {"mnuCopyPicture", "Ctrl+C"},
    };
    for (const QString& name : shown) {
        if (name == "-") continue;
        const auto it = shortcuts.find(name);
        const QString keys =
            QKeySequence::listToString(window->MenuAction(name.toStdString())->shortcuts());
        EXPECT_EQ(keys, it == shortcuts.end() ? QString() : it->second) << name.toStdString();
    }
    EXPECT_EQ(Action("mnuExportPicture")->text(), QString("画像として保存…"));
    EXPECT_EQ(Action("mnuPrint")->text(), QString("印刷…"));
    EXPECT_EQ(Action("mnuCrestore")->text(), QString("やり直し"));
    EXPECT_EQ(Action("mnuMrestore")->text(), QString("やり直し"));
    EXPECT_EQ(Action("mnuZoomFit")->text(), QString("全体を表示"));
    EXPECT_EQ(Action("mnuCopyPicture")->text(), QString("図をコピー"));
    EXPECT_EQ(Action("mnuSmooth")->text(), QString("なめらかに描く"));
}

TEST_F(Window, NestingFollowsTheTree) {
    QMenu* centres = window->Menu("mnuPcenter");
    ASSERT_NE(centres, nullptr);
    QStringList names;
    for (QAction* a : centres->actions()) names << a->objectName();
    EXPECT_EQ(names, QStringList({"mnuPgaishin", "mnuPnaishin", "mnuPsuishin", "mnuPjushin",
                                  "mnuPboushin", "mnuP9ptcCenter"}));
    EXPECT_EQ(window->Menu("mnuConstPoint")->menuAction(), window->MenuAction("mnuConstPoint"));
    EXPECT_TRUE(window->Menu("mnuPnewBounded")->actions().contains(Action("mnuPboundC")));
}

TEST_F(Window, ConstructionItemsCarryTheirCodes) {
    EXPECT_EQ(Action("mnuPsuishin")->property("code").toString(), QString("P4"));
    EXPECT_EQ(Action("mnuPjushin")->property("code").toString(), QString("P3"));
    EXPECT_EQ(Action("mnuCMPinv")->property("code").toString(), QString("PO-1"));
    EXPECT_EQ(Action("mnuS2P")->property("code").toString(), QString("L1"));
    EXPECT_FALSE(Action("mnuLoad")->property("code").isValid());
}

TEST_F(Window, OnlyTheDisabledItemsAreGreyed) {
    for (const MenuRow& row : kMenuRows) {
        const std::string name = row.name;
        const bool greyed = name == "mnuDeformPts" || name == "mnuVar" || name == "mnuMcalc";
        EXPECT_EQ(window->MenuAction(row.name)->isEnabled(), !greyed) << name;
    }
}

TEST_F(Window, CheckMarksAtStartUp) {
    EXPECT_TRUE(Action("mnuLocusOff")->isChecked());
    EXPECT_FALSE(Action("mnuLocusOn")->isChecked());
    EXPECT_TRUE(Action("mnuOchrDisp")->isChecked());
    EXPECT_FALSE(Action("mnuOAxis")->isChecked());
    EXPECT_FALSE(Action("mnuLoad")->isCheckable());
    // Smooth drawing starts on; the item switches it and the mark follows.
    EXPECT_TRUE(Action("mnuSmooth")->isChecked());
    EXPECT_TRUE(window->app().view.Smooth);
    Action("mnuSmooth")->trigger();
    EXPECT_FALSE(Action("mnuSmooth")->isChecked());
    EXPECT_FALSE(window->app().view.Smooth);
}

TEST_F(Window, DraggingGreysFiveMenusAndStandardEnablesThemAgain) {
    const char* greyedWhileDragging[] = {"mnuFile", "mnuDeform", "mnuConstruction", "mnuMeasure",
                                         "mnuOption"};
    const char* alwaysUsable[] = {"mnuZom", "mnuLocus", "mnuEdit", "mnuHelp"};
    PushMode(window->app().session, kModeDeform);
    Refresh();
    for (const char* m : greyedWhileDragging) EXPECT_FALSE(Action(m)->isEnabled()) << m;
    for (const char* m : alwaysUsable) EXPECT_TRUE(Action(m)->isEnabled()) << m;
    EXPECT_EQ(window->statusPanels().PanelText(1), QString("変形"));

    // A mode that changes nothing leaves them greyed.
    PushMode(window->app().session, 13);
    Refresh();
    EXPECT_FALSE(Action("mnuFile")->isEnabled());

    // Esc ends the drag back in "標準".
    PopMode(window->app().session);
    QTest::keyClick(&window->canvas(), Qt::Key_Escape);
    EXPECT_EQ(CurrentMode(window->app().session), 2);
    for (const char* m : greyedWhileDragging) EXPECT_TRUE(Action(m)->isEnabled()) << m;
    EXPECT_FALSE(Action("mnuDeformPts")->isEnabled()) << "greyed for good stays greyed";
}

TEST_F(Window, RightClickOnTheCanvasEndsADrag) {
    PushMode(window->app().session, kModeDeform);
    Refresh();
    QTest::mouseClick(&window->canvas(), Qt::RightButton, {}, QPoint(30, 30));
    EXPECT_EQ(CurrentMode(window->app().session), 2);
    EXPECT_TRUE(Action("mnuFile")->isEnabled());
}

TEST_F(Window, Panel3ClickedTwiceReturnsToTheStartState) {
    QLabel* panel3 = window->statusPanels().Panel(3);
    QTest::mouseClick(panel3, Qt::LeftButton);
    EXPECT_EQ(window->statusPanels().PanelText(3), QString("軌"));
    EXPECT_TRUE(Action("mnuLocusOn")->isChecked());
    EXPECT_FALSE(Action("mnuLocusOff")->isChecked());
    QTest::mouseClick(panel3, Qt::LeftButton);
    EXPECT_EQ(window->statusPanels().PanelText(3), QString("×軌"));
    EXPECT_FALSE(Action("mnuLocusOn")->isChecked());
    EXPECT_TRUE(Action("mnuLocusOff")->isChecked());
    EXPECT_EQ(window->app().session.LocusOn, 0);
    EXPECT_EQ(host->openAsked, 0);
}

TEST_F(Window, Panel2ClickLoadsAFigure) {
    const std::string triangle = std::string(KORVINTH_TEST_DATA) + "/triangle.kvf";
    host->openAnswers.push_back(triangle);
    QTest::mouseClick(window->statusPanels().Panel(2), Qt::LeftButton);
    EXPECT_EQ(host->openAsked, 1);
    EXPECT_EQ(window->windowTitle(), QString("[triangle.kvf] Korvinth / Win 0.2.9"));
    EXPECT_EQ(window->statusPanels().PanelText(2), QString("triangle.kvf"));
    EXPECT_EQ(window->statusPanels().PanelText(1), QString("標準"));
}

TEST_F(Window, TheCanvasShowsTheImageItDrewOn) {
    window->app().view.ShowAxes = kTrue;
    window->RunMenuCommand("mnuZoomDefault");
    Canvas& canvas = window->canvas();
    EXPECT_EQ(canvas.surface().PixelWidth(), canvas.width());
    EXPECT_EQ(canvas.surface().PixelHeight(), canvas.height());
    const QImage shown = canvas.grab().toImage();
    const QImage drawn = canvas.surface().Image();
    ASSERT_EQ(shown.size(), drawn.size());
    // The y axis runs down the middle of the client area in grey; with an even width the
    // origin falls on a column boundary, so either neighbour may carry it.
    const int cy = canvas.height() / 3;
    int axisColumn = -1;
    for (int cx = canvas.width() / 2 - 1; cx <= canvas.width() / 2; ++cx) {
        if (drawn.pixelColor(cx, cy) == QColor(170, 170, 170)) axisColumn = cx;
    }
    ASSERT_GE(axisColumn, 0);
    EXPECT_EQ(shown.pixelColor(axisColumn, cy), drawn.pixelColor(axisColumn, cy));
    EXPECT_EQ(shown.pixelColor(3, 3), QColor(192, 192, 192));
}

TEST_F(Window, TheNinthMagnificationShowsTheMessageAndReturnsToDefault) {
    for (int i = 0; i < 8; ++i) Action("mnuZoomIn")->trigger();
    EXPECT_TRUE(host->messages.empty());
    Action("mnuZoomIn")->trigger();
    ASSERT_EQ(host->messages.size(), 1u);
    EXPECT_EQ(host->messages[0], "そろそろ限界ですので,元の画面に戻します");
    EXPECT_DOUBLE_EQ(window->app().view.PixelSize, 0.05);
}

TEST_F(Window, OptionItemsAskThroughTheHost) {
    Action("mnuOchrDisp")->trigger();
    EXPECT_FALSE(Action("mnuOchrDisp")->isChecked());
    EXPECT_EQ(window->app().view.LabelsHidden, kTrue);
    Action("mnuOAxis")->trigger();
    EXPECT_TRUE(Action("mnuOAxis")->isChecked());
    Action("mnuWidth")->trigger();
    Action("mnuFont")->trigger();
    Action("mnuKeta")->trigger();
    EXPECT_EQ(host->inputsAsked, 3);
    EXPECT_EQ(window->app().view.PenWidth, 1);
}

TEST_F(Window, CallHistoryAndReportShareOneModelessViewer) {
    Action("mnuEcallHis")->trigger();
    TextViewer* viewer = window->textViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(viewer->isModal());
    EXPECT_EQ(viewer->windowTitle(), QString("TextViewer"));
    auto* text1 = viewer->findChild<QPlainTextEdit*>("Text1");
    ASSERT_NE(text1, nullptr);
    EXPECT_TRUE(text1->isReadOnly());
    EXPECT_EQ(text1->toPlainText(), QString("2\n"));
    viewer->close();
    EXPECT_FALSE(viewer->isVisible());
    Action("mnuEditFigDataView")->trigger();
    EXPECT_EQ(window->textViewer(), viewer) << "hidden, not destroyed";
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(text1->toPlainText().startsWith("FileName : untitled\n"));
}

TEST_F(Window, VersionWindowIsModelessWithTitleAndVersion) {
    Action("mnuVersion")->trigger();
    KVfrmAbout* about = window->aboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), QString("Korvinth / Winのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(about->findChild<QLabel*>("lblTitle")->text(), QString("Korvinth / Win"));
    EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), QString("ﾊﾞｰｼﾞｮﾝ 0.2.9"));
    EXPECT_EQ(about->findChild<QLabel*>("lblDisclaimer")->text(), QString());
    for (const char* name : {"lblDescription", "Label1", "Label2", "Label3", "Label4", "picIcon"}) {
        EXPECT_NE(about->findChild<QLabel*>(name), nullptr) << name;
    }
    EXPECT_EQ(about->findChild<QPushButton*>("Command1")->text(), QString("システム情報"));
    QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(Window, SystemInformationWithoutAProgramSaysSo) {
    Action("mnuVersion")->trigger();
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "");
    QTest::mouseClick(window->aboutBox()->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    qputenv("PATH", path);
    ASSERT_EQ(host->messages.size(), 1u);
    EXPECT_EQ(host->messages[0], "現時点ではｼｽﾃﾑ情報を使用できません");
}

// Runs the application's event loop, in which `step` happens; the loop's exit code, or -1 when
// the program did not end within two seconds.
int ExitCodeAfter(const std::function<void()>& step) {
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    watchdog.start(2000);
    QTimer::singleShot(0, step);
    return QCoreApplication::exec();
}

TEST_F(Window, ExitAndClosingEndTheProgramAtOnceWithoutAsking) {
    EXPECT_EQ(ExitCodeAfter([this] { Action("mnuExit")->trigger(); }), 0);
    EXPECT_EQ(ExitCodeAfter([this] { window->close(); }), 0);
    EXPECT_TRUE(host->messages.empty());
    EXPECT_EQ(host->inputsAsked, 0);
}

TEST(WindowStart, ACommandLineFileInQuotesIsLoaded) {
    const std::string triangle = std::string(KORVINTH_TEST_DATA) + "/triangle.kvf";
    for (const std::string& line : {"\"" + triangle + "\"", triangle}) {
        KVwin window([](KVwin& w) { return std::make_unique<ScriptedHost>(w); });
        window.Start(line);
        EXPECT_EQ(window.windowTitle(), QString("[triangle.kvf] Korvinth / Win 0.2.9"));
        EXPECT_EQ(window.app().session.FigureFileName, triangle);
    }
    KVwin missing([](KVwin& w) { return std::make_unique<ScriptedHost>(w); });
    missing.Start("\"/no/such/figure.kvf\"");
    EXPECT_EQ(missing.windowTitle(), QString("[untitled] Korvinth / Win 0.2.9"));
}

}  // namespace
}  // namespace kv
