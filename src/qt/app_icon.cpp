#include "qt/app_icon.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace kv {

QPixmap AppIconPixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(QColor(192, 192, 192));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double c = size / 2.0;
    const double r = size * 0.42;
    p.setPen(QPen(QColor(0, 0, 128), std::max(1.0, size / 24.0)));
    p.drawEllipse(QPointF(c, c), r, r);
    // Three points of the circle at 100, 220 and 330 degrees.
    QPolygonF tri;
    for (double deg : {100.0, 220.0, 330.0}) {
        const double a = deg * 3.14159265358979 / 180.0;
        tri << QPointF(c + r * std::cos(a), c - r * std::sin(a));
    }
    p.setPen(QPen(QColor(0, 0, 0), std::max(1.0, size / 20.0)));
    p.drawPolygon(tri);
    p.setBrush(QColor(128, 0, 0));
    p.setPen(Qt::NoPen);
    const double dot = std::max(1.5, size / 16.0);
    for (const QPointF& v : tri) p.drawEllipse(v, dot, dot);
    p.drawEllipse(QPointF(c, c), dot, dot);
    return pm;
}

QIcon AppIcon() {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64}) icon.addPixmap(AppIconPixmap(s));
    return icon;
}

}  // namespace kv
