#pragma once
// KVStatus1: the four text panels under the drawing surface, reporting clicks by index.

#include <QLabel>
#include <QStatusBar>
#include <array>

namespace kv {

class KVStatus1 : public QStatusBar {
    Q_OBJECT
  public:
    static constexpr int kPanels = 4;

    explicit KVStatus1(QWidget* parent = nullptr);

    // Panels are numbered 1..4.
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;
    QLabel* Panel(int panel) const;

  signals:
    void PanelClicked(int panel);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<QLabel*, kPanels> panels_{};
};

}  // namespace kv
