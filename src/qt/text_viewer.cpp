#include "qt/text_viewer.h"

#include <QFontDatabase>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace kv {

TextViewer::TextViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TextViewer");
    setWindowTitle("TextViewer");
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("Text1");
    text1_->setReadOnly(true);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The report lines up its fixed-width fields in columns.
    text1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text1_);
    resize(560, 480);
}

void TextViewer::ShowText(const std::string& text) {
    text1_->clear();
    text1_->setPlainText(ToQt(text));
    show();
    raise();
    activateWindow();
}

QString TextViewer::Text() const {
    return text1_->toPlainText();
}

}  // namespace kv
