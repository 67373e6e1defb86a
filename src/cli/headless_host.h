#pragma once
// The Host of a headless command: no window and nobody to answer. Dialogs are not shown,
// questions are answered as if cancelled, and messages and beeps are reported on a stream
// (normally stderr) as one line each.

#include <iosfwd>
#include <optional>
#include <string>

#include "ui/host.h"

namespace kv {

class HeadlessHost : public Host {
  public:
    explicit HeadlessHost(std::ostream& err) : err_(err) {}

    // "korvinth: " and the prompt, with its line breaks turned into blanks.
    void Message(const std::string& prompt, const std::string& title = kAppTitle) override;
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    void Beep() override;

    std::optional<std::string> OpenFileName() override { return std::nullopt; }
    std::optional<std::string> SaveFileName() override { return std::nullopt; }
    void ShowStatus(const StatusView&) override {}
    void ShowPickStatus(const std::string&) override {}
    void ShowNumberDialog(const NumberDialogView&) override {}
    void HideNumberDialog() override {}
    void ShowTextViewer(const std::string&) override {}
    void ShowAbout() override {}
    // The local time of day, as the window's clock gives it.
    double TimeOfDay() override;
    void ShowBindingDialog(int) override {}
    void HideBindingDialog() override {}
    void ShowNewConfirmation() override {}
    void ShowAttributeDialog(const AttributeDialogView&) override {}
    void HideAttributeDialog(i16) override {}

    int Messages() const { return messages_; }
    int Beeps() const { return beeps_; }

  private:
    std::ostream& err_;
    int messages_ = 0;
    int beeps_ = 0;
};

}  // namespace kv
