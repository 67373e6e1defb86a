#pragma once
// The application's icon, drawn rather than shipped: a triangle with its circumcircle.

#include <QIcon>
#include <QPixmap>

namespace kv {

QPixmap AppIconPixmap(int size);
QIcon AppIcon();

}  // namespace kv
