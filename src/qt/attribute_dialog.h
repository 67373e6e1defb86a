#pragma once
// The modeless attribute dialogs: PtAttribute "点の属性の設定", LineAttribute "直線の属性の
// 設定" and CircleAttribute "円の属性の設定". One class serves the three; the kind decides which
// boxes it has. A dialog fills its lists once, when it is made, and is afterwards only shown
// and hidden. Its buttons (and closing it, or Esc, which count as キャンセル) are reported by
// signal; the window passes them on and the interaction logic hides the dialog.

#include <QDialog>

#include "ui/attribute_dialog_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kv {

class AttributeDialog : public QDialog {
    Q_OBJECT
  public:
    // kind 1 point, 2 line, 3 circle.
    explicit AttributeDialog(i16 kind, QWidget* parent = nullptr);

    i16 kind() const { return kind_; }
    // Fills the boxes from the view and shows the dialog.
    void ShowView(const AttributeDialogView& view);
    // What the boxes hold now.
    AttributeAnswer Answer() const;

  signals:
    void SetPressed();
    void CancelPressed();

  public slots:
    void reject() override;

  private:
    i16 kind_;
    QLineEdit* textName_;
    QComboBox* comboClr_;
    QComboBox* comboLocus_;
    QComboBox* comboKind_ = nullptr;
    QComboBox* comboIndependent_ = nullptr;
    QLabel* labelIndependent_ = nullptr;
    QPushButton* commandOK_;
    QPushButton* commandCancel_;
    bool independentShown_ = false;
};

}  // namespace kv
