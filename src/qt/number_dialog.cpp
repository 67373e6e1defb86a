#include "qt/number_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "qt/qt_text.h"
#include "ui/number_dialog.h"

namespace kv {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(ToQt(caption), parent);
    b->setObjectName(name);
    // Enter in the text box belongs to the entry panel's OK, not to a default button.
    b->setAutoDefault(false);
    return b;
}

}  // namespace

KVSelNum::KVSelNum(QWidget* parent) : QDialog(parent) {
    setObjectName("KVSelNum");
    setWindowTitle(ToQt("数値の選択"));
    setModal(false);

    command1_ = Button(this, "Command1", "既存の変数から選択する");
    newNum_ = Button(this, "NewNum", "新しい変数を追加する");
    numList_ = new QListWidget(this);
    numList_->setObjectName("NumList");
    cmdOk_ = Button(this, "Cmd_OK", "OK");
    cmdCancel_ = Button(this, "Cmd_Cancel", "キャンセル");
    text1_ = new QLineEdit(this);
    text1_->setObjectName("Text1");
    label2_ = new QLabel(ToQt("確認 :"), this);
    label2_->setObjectName("Label2");
    label3_ = new QLabel(this);
    label3_->setObjectName("Label3");
    newNumOk_ = Button(this, "NewNumOK", "OK");
    newNumCancel_ = Button(this, "NewNumCancel", "キャンセル");
    line1_ = new QFrame(this);
    line1_->setObjectName("Line1");
    line1_->setFrameShape(QFrame::HLine);
    line1_->setFrameShadow(QFrame::Sunken);

    auto* switches = new QHBoxLayout;
    switches->addWidget(command1_);
    switches->addWidget(newNum_);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(cmdOk_);
    listButtons->addWidget(cmdCancel_);
    auto* echo = new QHBoxLayout;
    echo->addWidget(label2_);
    echo->addWidget(label3_, 1);
    auto* entryButtons = new QHBoxLayout;
    entryButtons->addStretch();
    entryButtons->addWidget(newNumOk_);
    entryButtons->addWidget(newNumCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(switches);
    layout->addWidget(line1_);
    layout->addWidget(numList_, 1);
    layout->addLayout(listButtons);
    layout->addWidget(text1_);
    layout->addLayout(echo);
    layout->addLayout(entryButtons);
    resize(360, 300);

    connect(command1_, &QPushButton::clicked, this, &KVSelNum::Command1_Click);
    connect(newNum_, &QPushButton::clicked, this, &KVSelNum::NewNum_Click);
    // Only a selected line counts: the focus frame the list puts on its first line when it
    // gets the focus is not a choice, and OK without a choice cancels.
    connect(cmdOk_, &QPushButton::clicked, this, [this] {
        const QList<QListWidgetItem*> chosen = numList_->selectedItems();
        const int row = chosen.isEmpty() ? -1 : numList_->row(chosen.front());
        Answer([this, row] { emit ListAccepted(row); });
    });
    connect(numList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = numList_->row(item);
        Answer([this, row] { emit ListAccepted(row); });
    });
    connect(cmdCancel_, &QPushButton::clicked, this, &KVSelNum::reject);
    connect(newNumCancel_, &QPushButton::clicked, this, &KVSelNum::reject);
    const auto acceptText = [this] {
        Answer([this, text = text1_->text()] { emit NewNumberAccepted(text); });
    };
    connect(newNumOk_, &QPushButton::clicked, this, acceptText);
    connect(text1_, &QLineEdit::returnPressed, this, acceptText);
    connect(text1_, &QLineEdit::textChanged, this,
            [this](const QString& t) { label3_->setText(ToQt(TypedNumberEcho(FromQt(t)))); });
}

void KVSelNum::ShowView(const NumberDialogView& view) {
    numList_->clear();
    for (const std::string& line : view.lines) numList_->addItem(ToQt(line));
    numList_->setCurrentRow(-1);
    text1_->setText(ToQt(view.text));
    label3_->setText(ToQt(TypedNumberEcho(view.text)));
    SetEntryPanel(view.entryPanel);
    show();
    raise();
    activateWindow();
    if (view.entryPanel) {
        text1_->setFocus();
        text1_->selectAll();
    }
}

bool KVSelNum::EntryPanelShown() const {
    return !text1_->isHidden();
}

void KVSelNum::Command1_Click() {
    SetEntryPanel(false);
}

void KVSelNum::NewNum_Click() {
    SetEntryPanel(true);
    text1_->setFocus();
}

void KVSelNum::reject() {
    // Hiding an already hidden dialog answers nothing: every showing gets one answer.
    if (isHidden()) return;
    Answer([this] { emit Cancelled(); });
}

void KVSelNum::SetEntryPanel(bool entry) {
    for (QWidget* w : {static_cast<QWidget*>(numList_), static_cast<QWidget*>(cmdOk_),
                       static_cast<QWidget*>(cmdCancel_)}) {
        w->setEnabled(!entry);
        w->setVisible(!entry);
    }
    for (QWidget* w : {static_cast<QWidget*>(text1_), static_cast<QWidget*>(newNumOk_),
                       static_cast<QWidget*>(newNumCancel_)}) {
        w->setEnabled(entry);
        w->setVisible(entry);
    }
    label2_->setVisible(entry);
    label3_->setVisible(entry);
}

void KVSelNum::Answer(const std::function<void()>& emitter) {
    hide();
    emitter();
}

}  // namespace kv
