#pragma once
// KVSelNum "数値の選択": the modeless number dialog. It shows what the interaction logic
// prepared, hides itself when a button answers, and reports the answer by signal; the window
// passes it on. Closing it (or Esc) answers like キャンセル. It is hidden, never destroyed.

#include <QDialog>
#include <functional>

#include "ui/number_dialog_view.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kv {

class KVSelNum : public QDialog {
    Q_OBJECT
  public:
    explicit KVSelNum(QWidget* parent = nullptr);

    // Fills the list and the text, brings up the panel the view asks for and shows the dialog.
    void ShowView(const NumberDialogView& view);
    bool EntryPanelShown() const;

  signals:
    // A list line (0-based, -1 for none) was accepted.
    void ListAccepted(int row);
    void NewNumberAccepted(const QString& text);
    void Cancelled();

  public slots:
    void Command1_Click();  // the list panel
    void NewNum_Click();    // the entry panel
    void reject() override;

  private:
    void SetEntryPanel(bool entry);
    void Answer(const std::function<void()>& emitter);

    QPushButton* command1_;
    QPushButton* newNum_;
    QListWidget* numList_;
    QPushButton* cmdOk_;
    QPushButton* cmdCancel_;
    QLineEdit* text1_;
    QLabel* label2_;
    QLabel* label3_;
    QPushButton* newNumOk_;
    QPushButton* newNumCancel_;
    QFrame* line1_;
};

}  // namespace kv
