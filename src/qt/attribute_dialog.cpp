#include "qt/attribute_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <span>

#include "qt/qt_text.h"

namespace kv {

namespace {

struct DialogNames {
    const char* objectName;
    const char* caption;
};

DialogNames NamesOf(i16 kind) {
    switch (kind) {
        case kKindPoint:
            return {"PtAttribute", "点の属性の設定"};
        case kKindLine:
            return {"LineAttribute", "直線の属性の設定"};
        default:
            return {"CircleAttribute", "円の属性の設定"};
    }
}

QComboBox* Combo(QWidget* parent, const char* name, std::span<const std::string_view> choices) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    for (std::string_view choice : choices) c->addItem(ToQt(choice));
    return c;
}

// A caption beside its box, on the next row of the grid.
QLabel* Row(QGridLayout* grid, const char* name, const char* caption, QWidget* box) {
    auto* label = new QLabel(ToQt(caption), box->parentWidget());
    label->setObjectName(name);
    label->setBuddy(box);
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(ToQt(caption), parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

AttributeDialog::AttributeDialog(i16 kind, QWidget* parent) : QDialog(parent), kind_(kind) {
    const DialogNames names = NamesOf(kind);
    setObjectName(names.objectName);
    setWindowTitle(ToQt(names.caption));
    setModal(false);

    auto* grid = new QGridLayout;
    textName_ = new QLineEdit(this);
    textName_->setObjectName("TextName");
    Row(grid, "LabelName", "名前", textName_);
    comboClr_ = Combo(this, "ComboClr", kColourChoices);
    Row(grid, "LabelClr", "色", comboClr_);
    comboLocus_ = Combo(this, "ComboLocus", kColourChoices);
    Row(grid, "LabelLocus", "軌跡の色", comboLocus_);
    if (kind == kKindPoint) {
        comboKind_ = Combo(this, "ComboKind", kMarkChoices);
        Row(grid, "LabelKind", "表示形式", comboKind_);
        comboIndependent_ = Combo(this, "ComboIndependent", kIndependentChoices);
        labelIndependent_ = Row(grid, "LabelIndependent", "変形時の選択", comboIndependent_);
    } else if (kind == kKindLine) {
        comboKind_ = Combo(this, "ComboKind", kFormChoices);
        Row(grid, "LabelKind", "表示形式", comboKind_);
    }

    commandOK_ = Button(this, "CommandOK", "設定");
    commandOK_->setDefault(true);  // Enter in the name box sets
    commandCancel_ = Button(this, "CommandCancel", "キャンセル");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(commandOK_);
    buttons->addWidget(commandCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(commandOK_, &QPushButton::clicked, this, [this] {
        if (!isHidden()) emit SetPressed();
    });
    connect(commandCancel_, &QPushButton::clicked, this, &AttributeDialog::reject);
}

void AttributeDialog::ShowView(const AttributeDialogView& view) {
    textName_->setText(ToQt(view.name));
    comboClr_->setCurrentIndex(view.colour);
    comboLocus_->setCurrentIndex(view.locusColour);
    if (comboKind_ != nullptr) comboKind_->setCurrentIndex(view.form);
    if (comboIndependent_ != nullptr) {
        independentShown_ = view.showIndependent;
        comboIndependent_->setVisible(independentShown_);
        labelIndependent_->setVisible(independentShown_);
        comboIndependent_->setCurrentIndex(independentShown_ ? view.independent : -1);
    }
    show();
    raise();
    activateWindow();
    textName_->setFocus();
}

AttributeAnswer AttributeDialog::Answer() const {
    AttributeAnswer a;
    a.name = FromQt(textName_->text());
    a.colour = comboClr_->currentIndex();
    a.locusColour = comboLocus_->currentIndex();
    if (comboKind_ != nullptr) a.form = comboKind_->currentIndex();
    if (comboIndependent_ != nullptr && independentShown_)
        a.independent = comboIndependent_->currentIndex();
    return a;
}

void AttributeDialog::reject() {
    // Closing an already hidden dialog answers nothing: every showing gets one answer.
    if (isHidden()) return;
    emit CancelPressed();
}

}  // namespace kv
