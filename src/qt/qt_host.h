#pragma once
// The Host of the real window: Qt's message box, input box and file dialogs, the system beep,
// and the window's own status bar, text viewer and version window.

#include "ui/host.h"

namespace kv {

class KVwin;

class QtHost : public Host {
  public:
    explicit QtHost(KVwin& window) : window_(window) {}

    void Message(const std::string& prompt, const std::string& title) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposed) override;
    void Beep() override;
    std::optional<std::string> OpenFileName() override;
    std::optional<std::string> SaveFileName() override;
    void ShowStatus(const StatusView& status) override;
    void ShowPickStatus(const std::string& text) override;
    void ShowNumberDialog(const NumberDialogView& view) override;
    void HideNumberDialog() override;
    void ShowTextViewer(const std::string& text) override;
    void ShowAbout() override;
    double TimeOfDay() override;

    // Point binding and the New command.
    void ShowBindingDialog(int kind) override;
    void HideBindingDialog() override;
    void ShowNewConfirmation() override;
    // Attribute dialogs.
    void ShowAttributeDialog(const AttributeDialogView& view) override;
    void HideAttributeDialog(i16 kind) override;

  protected:
    KVwin& window() { return window_; }

  private:
    KVwin& window_;
};

}  // namespace kv
