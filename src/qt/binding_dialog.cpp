#include "qt/binding_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/kv_win.h"
#include "qt/qt_text.h"
#include "ui/binding.h"

namespace kv {

SelGeoKindBounded::SelGeoKindBounded(QWidget* parent) : QDialog(parent) {
    setObjectName("SelGeoKindBounded");
    setWindowTitle(ToQt("種類の選択"));
    setModal(false);

    label1_ = new QLabel(ToQt("どの種類の幾何的対象の上に点を取りますか"), this);
    label1_->setObjectName("Label1");
    comboKind_ = new QComboBox(this);
    comboKind_->setObjectName("ComboKind");
    // The position of an item is the binding kind it stands for.
    for (const char* item : {"フリーにする", "他の点と一致させる", "直線上に取る", "円上に取る"})
        comboKind_->addItem(ToQt(item));
    cmdOk_ = new QPushButton(ToQt("ＯＫ"), this);
    cmdOk_->setObjectName("cmdOK");
    cmdOk_->setDefault(true);
    cmdCancel_ = new QPushButton(ToQt("キャンセル"), this);
    cmdCancel_->setObjectName("cmdCancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(comboKind_);
    layout->addLayout(buttons);

    connect(cmdOk_, &QPushButton::clicked, this, [this] {
        const int kind = comboKind_->currentIndex();
        hide();
        emit KindChosen(kind);
    });
    connect(cmdCancel_, &QPushButton::clicked, this, &SelGeoKindBounded::reject);
}

void SelGeoKindBounded::ShowKind(int kind) {
    comboKind_->setCurrentIndex(kind >= 0 && kind < comboKind_->count() ? kind : -1);
    show();
    raise();
    activateWindow();
}

void SelGeoKindBounded::reject() {
    // Every showing gets one answer: hiding a hidden dialog answers nothing.
    if (isHidden()) return;
    hide();
    emit Cancelled();
}

void ShowBindingDialogOf(KVwin& window, int kind) {
    auto* dialog = window.findChild<SelGeoKindBounded*>("SelGeoKindBounded");
    if (dialog == nullptr) {
        dialog = new SelGeoKindBounded(&window);
        KVwin* w = &window;
        QObject::connect(dialog, &SelGeoKindBounded::KindChosen, w, [w](int k) {
            BindKindChosen(w->app(), w->host(), w->canvas().surface(), k);
            w->canvas().update();
        });
        QObject::connect(dialog, &SelGeoKindBounded::Cancelled, w, [w] {
            BindCancel_Click(w->app(), w->host(), w->canvas().surface());
            w->canvas().update();
        });
    }
    dialog->ShowKind(kind);
}

}  // namespace kv
