#pragma once
// KVwin: the main window. It owns the application state, the drawing surface, the menus and
// the status bar, and hands every menu click, press, move, key and resize to the interaction
// logic.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "qt/canvas.h"
#include "qt/status_bar.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

class AttributeDialog;
class KVfrmAbout;
class KVSelNum;
class TextViewer;

class KVwin : public QMainWindow {
    Q_OBJECT
  public:
    // Makes the window's Host; the default is the real QtHost. Tests give one whose dialogs
    // answer from a script.
    using HostFactory = std::function<std::unique_ptr<Host>(KVwin&)>;

    explicit KVwin(const HostFactory& makeHost = {}, QWidget* parent = nullptr);
    ~KVwin() override;

    // The start-up sequence: default scale, fresh figure, screen mapping, mode stack, file
    // name and status, then the figure file the command-line text names, if it exists.
    void Start(const std::string& commandLine);

    // Applies a status refresh: caption, panels 1 to 3, check marks, menu enabling.
    void ApplyStatus(const StatusView& status);
    void ShowTextViewer(const std::string& text);
    void ShowAbout();
    // The number dialog, created on first use and afterwards only hidden and shown.
    void ShowNumberDialog(const NumberDialogView& view);

    App& app() { return app_; }
    Host& host() { return *host_; }
    Canvas& canvas() { return *canvas_; }
    KVStatus1& statusPanels() { return *status_; }
    // The action of a menu item or submenu by its menu name, nullptr when there is none.
    QAction* MenuAction(std::string_view name) const;
    QMenu* Menu(std::string_view name) const;
    TextViewer* textViewer() const { return viewer_; }
    KVfrmAbout* aboutBox() const { return about_; }
    KVSelNum* numberDialog() const { return selNum_; }

    // Runs a menu item's command as a click would.
    void RunMenuCommand(std::string_view name);

    // Attribute dialogs, one per kind (1 point, 2 line, 3 circle), created on first use and
    // afterwards only hidden and shown; nullptr before their first use.
    void ShowAttributeDialog(const AttributeDialogView& view);
    void HideAttributeDialog(i16 kind);
    AttributeDialog* attributeDialog(i16 kind) const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void BuildCommands();
    // Runs an interaction step and shows what it drew.
    void Run(const std::function<void()>& step);
    void OnPressed(int buttons, int shift, double px, double py);
    void OnMoved(int buttons, int shift, double px, double py);
    void OnKey(int key, int shift);

    App app_;
    std::unique_ptr<Host> host_;
    Canvas* canvas_ = nullptr;
    KVStatus1* status_ = nullptr;
    TextViewer* viewer_ = nullptr;
    KVfrmAbout* about_ = nullptr;
    KVSelNum* selNum_ = nullptr;
    std::map<std::string, QAction*, std::less<>> actions_;
    std::map<std::string, QMenu*, std::less<>> menus_;
    std::map<std::string, std::function<void()>, std::less<>> commands_;
    std::array<AttributeDialog*, 4> attributeDialogs_{};
};

}  // namespace kv
