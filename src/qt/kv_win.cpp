#include "qt/kv_win.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <algorithm>
#include <vector>

#include "qt/about_box.h"
#include "qt/app_icon.h"
#include "qt/attribute_dialog.h"
#include "qt/number_dialog.h"
#include "qt/picture_commands.h"
#include "qt/qt_host.h"
#include "qt/qt_text.h"
#include "qt/text_viewer.h"
#include "render/view_transform.h"
#include "ui/attributes.h"
#include "ui/binding.h"
#include "ui/construction.h"
#include "ui/file_commands.h"
#include "ui/input_dispatch.h"
#include "ui/menu_commands.h"
#include "ui/menu_tree.h"
#include "ui/number_dialog.h"
#include "ui/option_commands.h"
#include "ui/status.h"
#include "ui/view_commands.h"

namespace kv {
namespace {

// Items that carry a check mark; the status refresh sets it.
constexpr std::string_view kCheckable[] = {"mnuLocusOn", "mnuLocusOff", "mnuOchrDisp", "mnuOAxis",
                                           "mnuSmooth"};

bool IsCheckable(std::string_view name) {
    for (std::string_view c : kCheckable) {
        if (c == name) return true;
    }
    return false;
}

// Items beyond the menu tree: each at the end of its menu, after a separator.
struct ExtraItem {
    std::string_view menu;
    std::string_view name;
    std::string_view caption;
};
constexpr ExtraItem kExtraItems[] = {
    {"mnuFile", "mnuExportPicture", "画像として保存…"},
    {"mnuFile", "mnuPrint", "印刷…"},
    {"mnuConstruction", "mnuCrestore", "やり直し"},
    {"mnuMeasure", "mnuMrestore", "やり直し"},
    {"mnuZom", "mnuZoomFit", "全体を表示"},
    {"mnuOption", "mnuSmooth", "なめらかに描く"},
    {"mnuEdit", "mnuCopyPicture", "図をコピー"},
};

// Keyboard shortcuts, by menu name. Undo and redo sit on the items of "作図(継続)". Like the
// mouse, a shortcut cannot reach an item in a greyed menu (Qt's own rule).
struct Shortcut {
    std::string_view name;
    const char* keys;  // as QKeySequence reads them, several separated by "; "
};
constexpr Shortcut kShortcuts[] = {
    {"mnuCundo", "Ctrl+Z"},       {"mnuCrestore", "Ctrl+Y; Ctrl+Shift+Z"},
    {"mnuSave", "Ctrl+S"},        {"mnuLoad", "Ctrl+O"},
    {"mnuCopyPicture", "Ctrl+C"},
};

}  // namespace

KVwin::KVwin(const HostFactory& makeHost, QWidget* parent) : QMainWindow(parent) {
    setObjectName("KVwin");
    setWindowTitle("Korvinth ver.0.1");
    setWindowIcon(AppIcon());
    host_ = makeHost ? makeHost(*this) : std::make_unique<QtHost>(*this);

    canvas_ = new Canvas(this);
    setCentralWidget(canvas_);
    status_ = new KVStatus1(this);
    setStatusBar(status_);
    BuildMenus();
    BuildCommands();

    connect(canvas_, &Canvas::Pressed, this, &KVwin::OnPressed);
    connect(canvas_, &Canvas::Moved, this, &KVwin::OnMoved);
    connect(canvas_, &Canvas::KeyPressed, this, &KVwin::OnKey);
    connect(canvas_, &Canvas::Resized, this,
            [this] { Form_Resize(app_, *host_, canvas_->surface()); });
    connect(canvas_, &Canvas::Wheeled, this,
            [this](int angleX, int angleY, bool shift, double px, double py) {
                Run([&] {
                    Canvas_Wheel(app_, *host_, canvas_->surface(),
                                 WheelGesture(angleX, angleY, shift), px, py);
                });
            });
    connect(canvas_, &Canvas::Pinched, this, [this](double factor, double px, double py) {
        WheelStep step;
        step.zoom = factor;
        Run([&] { Canvas_Wheel(app_, *host_, canvas_->surface(), step, px, py); });
    });
    connect(status_, &KVStatus1::PanelClicked, this, [this](int panel) {
        Run([&] { KVStatus1_PanelClick(app_, *host_, canvas_->surface(), panel); });
    });
    canvas_->setFocus();
}

KVwin::~KVwin() = default;

void KVwin::Start(const std::string& commandLine) {
    app_.view.PixelSize = kDefaultPixelSize;
    app_.view.Smooth = true;  // "なめらかに描く" is checked at start
    ResetFigure(app_.figure, kStartCapacity);
    app_.colours = {};
    SetScreen(app_.view, canvas_->surface());
    app_.session = Session{};
    app_.session.FigureFileName = kUntitled;
    RefreshStatus(app_, *host_);
    Run([&] { OpenCommandLineFile(app_, *host_, canvas_->surface(), commandLine); });
}

void KVwin::BuildMenus() {
    const std::span<const MenuEntry> tree = MenuTree();
    std::vector<QMenu*> open;  // the submenu at each level
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const MenuEntry& e = tree[i];
        open.resize(static_cast<std::size_t>(e.level));
        const QString caption = ToQt(e.caption);
        const std::string name(e.name);
        if (IsSubmenu(tree, i)) {
            QMenu* menu =
                e.level == 0 ? menuBar()->addMenu(caption) : open.back()->addMenu(caption);
            menu->setObjectName(QString::fromStdString(name));
            menus_[name] = menu;
            actions_[name] = menu->menuAction();
            menu->menuAction()->setEnabled(!e.disabled);
            open.push_back(menu);
            continue;
        }
        QAction* action =
            e.level == 0 ? menuBar()->addAction(caption) : open.back()->addAction(caption);
        action->setObjectName(QString::fromStdString(name));
        action->setEnabled(!e.disabled);
        action->setCheckable(IsCheckable(e.name));
        if (!e.code.empty()) {
            // The construction commands find their code and variant here.
            action->setProperty("code", ToQt(e.code));
            action->setProperty("variant", static_cast<int>(e.variant));
        }
        actions_[name] = action;
        connect(action, &QAction::triggered, this, [this, name] { RunMenuCommand(name); });
    }
    if (QAction* off = MenuAction("mnuLocusOff")) off->setChecked(true);

    std::vector<QMenu*> separated;  // menus whose added items already follow a separator
    for (const ExtraItem& e : kExtraItems) {
        QMenu* menu = Menu(e.menu);
        if (menu == nullptr) continue;
        if (std::find(separated.begin(), separated.end(), menu) == separated.end()) {
            menu->addSeparator();
            separated.push_back(menu);
        }
        QAction* action = menu->addAction(ToQt(e.caption));
        const std::string name(e.name);
        action->setObjectName(QString::fromStdString(name));
        action->setCheckable(IsCheckable(e.name));
        actions_[name] = action;
        connect(action, &QAction::triggered, this, [this, name] { RunMenuCommand(name); });
    }
    for (const Shortcut& s : kShortcuts) {
        if (QAction* action = MenuAction(s.name))
            action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(s.keys)));
    }
}

void KVwin::BuildCommands() {
    for (auto& [name, command] : MenuCommands()) {
        commands_[name] = [this, command] { command(app_, *host_, canvas_->surface()); };
    }
    commands_["mnuExit"] = [] { QCoreApplication::exit(0); };
    commands_["mnuExportPicture"] = [this] { mnuExportPicture_Click(*this); };
    commands_["mnuPrint"] = [this] { mnuPrint_Click(*this); };
    commands_["mnuCopyPicture"] = [this] { mnuCopyPicture_Click(*this); };
    commands_["mnuSmooth"] = [this] { mnuSmooth_Click(app_, *host_, canvas_->surface()); };
}

void KVwin::RunMenuCommand(std::string_view name) {
    const auto it = commands_.find(name);
    if (it != commands_.end()) Run(it->second);
}

void KVwin::Run(const std::function<void()>& step) {
    step();
    canvas_->update();
}

void KVwin::OnPressed(int buttons, int shift, double px, double py) {
    const WorldPos w =
        MappingOf(app_.view, canvas_->width(), canvas_->height()).PixelToWorld(px, py);
    Run([&] { Form_MouseDown(app_, *host_, canvas_->surface(), buttons, shift, w.x, w.y); });
}

void KVwin::OnMoved(int buttons, int shift, double px, double py) {
    const WorldPos w =
        MappingOf(app_.view, canvas_->width(), canvas_->height()).PixelToWorld(px, py);
    Run([&] { Form_MouseMove(app_, *host_, canvas_->surface(), buttons, shift, w.x, w.y); });
}

void KVwin::OnKey(int key, int shift) {
    Run([&] { Form_KeyDown(app_, *host_, canvas_->surface(), key, shift); });
}

void KVwin::ApplyStatus(const StatusView& status) {
    setWindowTitle(ToQt(status.caption));
    status_->SetPanelText(1, ToQt(status.panel1));
    status_->SetPanelText(2, ToQt(status.panel2));
    status_->SetPanelText(3, ToQt(status.panel3));
    // What the command waits for, over the mode and the candidate panels, where the user looks
    // for it.
    const QString prompt = ToQt(status.prompt);
    for (int panel : {1, 4}) status_->Panel(panel)->setToolTip(prompt);
    for (const MenuSetting& c : status.checks) {
        if (QAction* a = MenuAction(c.menu)) a->setChecked(c.on);
    }
    for (const MenuSetting& e : status.enabling) {
        if (QAction* a = MenuAction(e.menu)) a->setEnabled(e.on);
    }
}

void KVwin::ShowTextViewer(const std::string& text) {
    if (viewer_ == nullptr) viewer_ = new TextViewer(this);
    viewer_->ShowText(text);
}

void KVwin::ShowAbout() {
    if (about_ == nullptr) about_ = new KVfrmAbout(*host_, this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void KVwin::ShowNumberDialog(const NumberDialogView& view) {
    if (selNum_ == nullptr) {
        selNum_ = new KVSelNum(this);
        connect(selNum_, &KVSelNum::ListAccepted, this, [this](int row) {
            Run([&] { Cmd_OK_Click(app_, *host_, canvas_->surface(), row); });
        });
        connect(selNum_, &KVSelNum::NewNumberAccepted, this, [this](const QString& text) {
            Run([&] { NewNumOK_Click(app_, *host_, canvas_->surface(), FromQt(text)); });
        });
        connect(selNum_, &KVSelNum::Cancelled, this,
                [this] { Run([&] { Cmd_Cancel_Click(app_, *host_, canvas_->surface()); }); });
    }
    selNum_->ShowView(view);
}

QAction* KVwin::MenuAction(std::string_view name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* KVwin::Menu(std::string_view name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

void KVwin::ShowAttributeDialog(const AttributeDialogView& view) {
    if (view.kind < kKindPoint || view.kind > kKindCircle) return;
    AttributeDialog*& dialog = attributeDialogs_[view.kind];
    if (dialog == nullptr) {
        dialog = new AttributeDialog(view.kind, this);
        AttributeDialog* d = dialog;
        connect(d, &AttributeDialog::SetPressed, this, [this, d] {
            Run([&] { CommandOK_Click(app_, *host_, canvas_->surface(), d->kind(), d->Answer()); });
        });
        connect(d, &AttributeDialog::CancelPressed, this, [this, d] {
            Run([&] { CommandCancel_Click(app_, *host_, canvas_->surface(), d->kind()); });
        });
    }
    dialog->ShowView(view);
}

void KVwin::HideAttributeDialog(i16 kind) {
    if (AttributeDialog* d = attributeDialog(kind)) d->hide();
}

AttributeDialog* KVwin::attributeDialog(i16 kind) const {
    if (kind < kKindPoint || kind > kKindCircle) return nullptr;
    return attributeDialogs_[kind];
}

void KVwin::closeEvent(QCloseEvent* event) {
    // Closing ends the program at once; nothing asks to save.
    event->accept();
    QCoreApplication::exit(0);
}

}  // namespace kv
