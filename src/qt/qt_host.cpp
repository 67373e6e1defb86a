#include "qt/qt_host.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTime>

#include "qt/binding_dialog.h"
#include "qt/kv_win.h"
#include "qt/new_confirmation.h"
#include "qt/number_dialog.h"
#include "qt/qt_text.h"

namespace kv {

void QtHost::Message(const std::string& prompt, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, ToQt(title), ToQt(prompt), QMessageBox::Ok, &window_);
    box.exec();
}

std::optional<std::string> QtHost::InputBox(const std::string& prompt, const std::string& title,
                                            const std::string& proposed) {
    bool ok = false;
    const QString answer = QInputDialog::getText(&window_, ToQt(title), ToQt(prompt),
                                                 QLineEdit::Normal, ToQt(proposed), &ok);
    if (!ok) return std::nullopt;
    return FromQt(answer);
}

void QtHost::Beep() {
    QApplication::beep();
}

std::optional<std::string> QtHost::OpenFileName() {
    // The open dialog accepts only files that exist, in folders that exist.
    const QString name = QFileDialog::getOpenFileName(&window_);
    if (name.isEmpty()) return std::nullopt;
    return FromQt(name);
}

std::optional<std::string> QtHost::SaveFileName() {
    // The save dialog asks before overwriting an existing file.
    const QString name = QFileDialog::getSaveFileName(&window_);
    if (name.isEmpty()) return std::nullopt;
    return FromQt(name);
}

void QtHost::ShowStatus(const StatusView& status) {
    window_.ApplyStatus(status);
}

void QtHost::ShowPickStatus(const std::string& text) {
    window_.statusPanels().SetPanelText(4, ToQt(text));
}

void QtHost::ShowNumberDialog(const NumberDialogView& view) {
    window_.ShowNumberDialog(view);
}

void QtHost::HideNumberDialog() {
    if (KVSelNum* d = window_.numberDialog()) d->hide();
}

void QtHost::ShowTextViewer(const std::string& text) {
    window_.ShowTextViewer(text);
}

void QtHost::ShowAbout() {
    window_.ShowAbout();
}

double QtHost::TimeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

// Point binding and the New command.
void QtHost::ShowBindingDialog(int kind) {
    ShowBindingDialogOf(window_, kind);
}

void QtHost::HideBindingDialog() {
    if (auto* d = window_.findChild<SelGeoKindBounded*>("SelGeoKindBounded")) d->hide();
}

void QtHost::ShowNewConfirmation() {
    ShowNewConfirmationOf(window_);
}

// Attribute dialogs.
void QtHost::ShowAttributeDialog(const AttributeDialogView& view) {
    window_.ShowAttributeDialog(view);
}

void QtHost::HideAttributeDialog(i16 kind) {
    window_.HideAttributeDialog(kind);
}

}  // namespace kv
