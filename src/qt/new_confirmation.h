#pragma once
// NewConstchk: the modeless question whether the figure on screen may be thrown away for a new
// one. It is made once and afterwards only hidden and shown again; closing it answers like
// キャンセル.

#include <QDialog>

class QLabel;
class QPushButton;

namespace kv {

class KVwin;

class NewConstchk : public QDialog {
    Q_OBJECT
  public:
    explicit NewConstchk(QWidget* parent = nullptr);

  signals:
    // "はい". "保存しておく" and "キャンセル" only hide the dialog.
    void Confirmed();

  private:
    QLabel* label1_;
    QPushButton* commandYes_;
    QPushButton* commandSave_;
    QPushButton* commandCancel_;
};

// The window's confirmation, made on first use with "はい" wired to the New command, then shown.
void ShowNewConfirmationOf(KVwin& window);

}  // namespace kv
