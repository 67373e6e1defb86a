#pragma once
// TextViewer: the modeless window that shows the call history and the construction report.
// Closing it only hides it; the next text reuses the same window.

#include <QPlainTextEdit>
#include <QWidget>
#include <string>

namespace kv {

class TextViewer : public QWidget {
    Q_OBJECT
  public:
    explicit TextViewer(QWidget* parent = nullptr);

    // Empties Text1, fills it with the text and shows the window without blocking.
    void ShowText(const std::string& text);
    QString Text() const;

  private:
    QPlainTextEdit* text1_;
};

}  // namespace kv
