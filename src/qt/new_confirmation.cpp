#include "qt/new_confirmation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/version.h"
#include "qt/kv_win.h"
#include "qt/qt_text.h"
#include "ui/new_figure.h"

namespace kv {

NewConstchk::NewConstchk(QWidget* parent) : QDialog(parent) {
    setObjectName("NewConstchk");
    setWindowTitle(ToQt(kAppTitle));
    setModal(false);

    label1_ = new QLabel(ToQt("現在の図は失われますが,新しい図を作図しますか。"), this);
    label1_->setObjectName("Label1");
    commandYes_ = new QPushButton(ToQt("はい"), this);
    commandYes_->setObjectName("CommandYes");
    commandSave_ = new QPushButton(ToQt("保存しておく"), this);
    commandSave_->setObjectName("CommandSave");
    commandCancel_ = new QPushButton(ToQt("キャンセル"), this);
    commandCancel_->setObjectName("CommandCancel");
    // Enter must not throw the figure away: the harmless answer is the default.
    commandCancel_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(commandYes_);
    buttons->addWidget(commandSave_);
    buttons->addWidget(commandCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addLayout(buttons);

    connect(commandYes_, &QPushButton::clicked, this, [this] {
        hide();
        emit Confirmed();
    });
    // The figure stays; the user saves it with "保存" and chooses New again.
    connect(commandSave_, &QPushButton::clicked, this, &QDialog::hide);
    connect(commandCancel_, &QPushButton::clicked, this, &QDialog::hide);
}

void ShowNewConfirmationOf(KVwin& window) {
    auto* dialog = window.findChild<NewConstchk*>("NewConstchk");
    if (dialog == nullptr) {
        dialog = new NewConstchk(&window);
        KVwin* w = &window;
        QObject::connect(dialog, &NewConstchk::Confirmed, w, [w] {
            CommandYes_Click(w->app(), w->host(), w->canvas().surface());
            w->canvas().update();
        });
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

}  // namespace kv
