#pragma once
// A Host that records what the interaction logic asked and answers from a script.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/host.h"

namespace kv::test {

struct AskedInput {
    std::string prompt, title, proposed;
};
struct ShownMessage {
    std::string prompt, title;
};

class FakeHost : public Host {
  public:
    // Answers handed out in order; an exhausted script answers "cancelled".
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;

    std::vector<ShownMessage> messages;
    std::vector<AskedInput> inputs;
    int beeps = 0;
    int openAsked = 0;
    int saveAsked = 0;
    std::vector<StatusView> statuses;
    // The status on show when each file dialog was opened.
    std::vector<StatusView> statusAtDialog;
    std::vector<std::string> viewerTexts;
    int aboutShown = 0;
    std::vector<std::string> pickStatuses;
    std::vector<NumberDialogView> numberDialogs;

    void Message(const std::string& prompt, const std::string& title) override {
        messages.push_back({prompt, title});
    }
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposed) override {
        inputs.push_back({prompt, title, proposed});
        return Next(inputAnswers);
    }
    void Beep() override { ++beeps; }
    std::optional<std::string> OpenFileName() override {
        ++openAsked;
        if (!statuses.empty()) statusAtDialog.push_back(statuses.back());
        return Next(openAnswers);
    }
    std::optional<std::string> SaveFileName() override {
        ++saveAsked;
        if (!statuses.empty()) statusAtDialog.push_back(statuses.back());
        return Next(saveAnswers);
    }
    void ShowStatus(const StatusView& status) override { statuses.push_back(status); }
    void ShowPickStatus(const std::string& text) override { pickStatuses.push_back(text); }
    void ShowNumberDialog(const NumberDialogView& view) override { numberDialogs.push_back(view); }
    int numberHides = 0;
    void HideNumberDialog() override { ++numberHides; }
    void ShowTextViewer(const std::string& text) override { viewerTexts.push_back(text); }
    void ShowAbout() override { ++aboutShown; }
    double TimeOfDay() override { return 43200.25; }

    // Point binding and the New command.
    std::vector<int> bindingDialogs;  // the kind selected at each showing
    int newConfirmations = 0;
    void ShowBindingDialog(int kind) override { bindingDialogs.push_back(kind); }
    int bindingHides = 0;
    void HideBindingDialog() override { ++bindingHides; }
    void ShowNewConfirmation() override { ++newConfirmations; }

    const StatusView& LastStatus() const { return statuses.back(); }
    std::string PickStatus() const { return pickStatuses.empty() ? "" : pickStatuses.back(); }

  private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto a = q.front();
        q.pop_front();
        return a;
    }

    // Attribute dialogs: every view shown, and the kind of every dialog hidden.
  public:
    std::vector<AttributeDialogView> attributeDialogs;
    std::vector<i16> attributeHides;
    void ShowAttributeDialog(const AttributeDialogView& view) override {
        attributeDialogs.push_back(view);
    }
    void HideAttributeDialog(i16 kind) override { attributeHides.push_back(kind); }
};

}  // namespace kv::test
