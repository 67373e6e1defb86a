#include "qt/app_icon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kv {

QPixmap AppIconPixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QSvgRenderer drawing{QString::fromLatin1(kAppIconResource)};
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    drawing.render(&p);
    return pm;
}

QIcon AppIcon() {
    // Rendered pixmaps rather than QIcon(path): the SVG icon engine is a plugin that may be
    // missing, the SVG renderer is part of the linked library.
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128}) icon.addPixmap(AppIconPixmap(s));
    return icon;
}

}  // namespace kv
