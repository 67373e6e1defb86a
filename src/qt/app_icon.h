#pragma once
// The application's icon: a triangle with its circumcircle. The window and the about box show
// the same SVG drawing that is installed for the desktop (share/icons), built in as a resource.

#include <QIcon>
#include <QPixmap>

namespace kv {

// The resource path of the icon's drawing.
inline constexpr char kAppIconResource[] = ":/icons/korvinth.svg";

// The icon drawn at size x size pixels, transparent outside the drawing.
QPixmap AppIconPixmap(int size);
// The icon at the usual window and task-bar sizes.
QIcon AppIcon();

}  // namespace kv
