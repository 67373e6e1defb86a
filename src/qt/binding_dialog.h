#pragma once
// SelGeoKindBounded "種類の選択": the modeless dialog in which the kind of a point's binding is
// chosen. Its four kinds are listed once, when it is made; afterwards it is only hidden and
// shown again. Closing it (or Esc) answers like キャンセル.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace kv {

class KVwin;

class SelGeoKindBounded : public QDialog {
    Q_OBJECT
  public:
    explicit SelGeoKindBounded(QWidget* parent = nullptr);

    // Selects item `kind` (-1 none) and shows the dialog.
    void ShowKind(int kind);

  signals:
    // "ＯＫ" with the selected item (0..3, -1 none).
    void KindChosen(int kind);
    void Cancelled();

  public slots:
    void reject() override;

  private:
    QLabel* label1_;
    QComboBox* comboKind_;
    QPushButton* cmdOk_;
    QPushButton* cmdCancel_;
};

// The window's binding dialog, made on first use with its buttons wired to the binding
// command, then shown with `kind` selected.
void ShowBindingDialogOf(KVwin& window, int kind);

}  // namespace kv
