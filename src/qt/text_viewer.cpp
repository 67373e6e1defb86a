#include "qt/text_viewer.h"

#include <QFontDatabase>
#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace kv {

namespace {

// The report lines up its fixed-width fields in columns, and its labels are Japanese. A Latin
// monospace font borrows kanji from a fallback font whose widths do not match its own, so the
// columns drift; a Japanese monospace font draws a kanji exactly two half-width cells wide.
QFont ReportFont() {
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP", "VL Gothic",
                             "TakaoGothic", "MS Gothic"}) {
        const QString family = QString::fromUtf8(name);
        if (families.contains(family) && QFontDatabase::isFixedPitch(family)) {
            QFont font(family);
            font.setStyleHint(QFont::TypeWriter);
            return font;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

}  // namespace

TextViewer::TextViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TextViewer");
    setWindowTitle("TextViewer");
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("Text1");
    text1_->setReadOnly(true);
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setFont(ReportFont());
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
