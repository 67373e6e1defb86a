#include "qt/status_bar.h"

#include <QEvent>
#include <QMouseEvent>

namespace kv {

KVStatus1::KVStatus1(QWidget* parent) : QStatusBar(parent) {
    setObjectName("KVStatus1");
    setSizeGripEnabled(false);
    // Mode, file name, locus switch, the candidate of a pick.
    constexpr std::array<int, kPanels> kStretch = {0, 2, 0, 3};
    constexpr std::array<int, kPanels> kMinWidth = {110, 80, 40, 80};
    for (int i = 0; i < kPanels; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("Panel%1").arg(i + 1));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(kMinWidth[i]);
        label->setContentsMargins(4, 0, 4, 0);
        label->installEventFilter(this);
        addWidget(label, kStretch[i]);
        panels_[i] = label;
    }
}

void KVStatus1::SetPanelText(int panel, const QString& text) {
    if (QLabel* label = Panel(panel)) label->setText(text);
}

QString KVStatus1::PanelText(int panel) const {
    const QLabel* label = Panel(panel);
    return label ? label->text() : QString();
}

QLabel* KVStatus1::Panel(int panel) const {
    if (panel < 1 || panel > kPanels) return nullptr;
    return panels_[panel - 1];
}

bool KVStatus1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < kPanels; ++i) {
            if (watched == panels_[i]) {
                emit PanelClicked(i + 1);
                return true;
            }
        }
    }
    return QStatusBar::eventFilter(watched, event);
}

}  // namespace kv
