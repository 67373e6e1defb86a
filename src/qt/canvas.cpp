#include "qt/canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "ui/input_dispatch.h"

namespace kv {

Canvas::Canvas(QWidget* parent) : QWidget(parent), surface_(641, 481) {
    setObjectName("Canvas");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void Canvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QImage& image = surface_.Image();
    if (surface_.DeviceScale() == 1) {
        p.drawImage(0, 0, image);
        return;
    }
    // The image has a pixel for each of the screen's (or more, on a fractional ratio).
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(0, 0, surface_.PixelWidth(), surface_.PixelHeight()), image);
}

void Canvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A screen of fractional density gets the next whole ratio, drawn down to it.
    surface_.SetDeviceRatio(static_cast<int>(std::ceil(devicePixelRatioF() - 0.01)));
    surface_.Resize(width(), height());
    emit Resized();
    update();
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPointF pos = event->position();
    emit Pressed(ButtonState(event->buttons() | event->button()), ShiftState(event->modifiers()),
                 pos.x(), pos.y());
    update();
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    emit Moved(ButtonState(event->buttons()), ShiftState(event->modifiers()), pos.x(), pos.y());
    update();
}

void Canvas::keyPressEvent(QKeyEvent* event) {
    const int key = DispatchKeyCode(event->key());
    if (key == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit KeyPressed(key, ShiftState(event->modifiers()));
    update();
}

void Canvas::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const QPointF pos = event->position();
    emit Wheeled(angle.x(), angle.y(), (event->modifiers() & Qt::ShiftModifier) != 0, pos.x(),
                 pos.y());
    event->accept();
    update();
}

bool Canvas::event(QEvent* event) {
    if (event->type() == QEvent::NativeGesture) {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        // A pinch reports how much larger the picture should grow; the pixels shrink as much.
        if (gesture->gestureType() == Qt::ZoomNativeGesture && gesture->value() > -1) {
            const QPointF pos = gesture->position();
            emit Pinched(1.0 / (1.0 + gesture->value()), pos.x(), pos.y());
            update();
            return true;
        }
    }
    return QWidget::event(event);
}

int DispatchKeyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape:
            return kKeyEsc;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kKeyEnter;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Up:
            return kKeyUp;
        case Qt::Key_Right:
            return kKeyRight;
        case Qt::Key_Down:
            return kKeyDown;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Delete:
            return 46;
        default:
            break;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    return 0;
}

int ShiftState(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= 1;
    if (m & Qt::ControlModifier) s |= 2;
    if (m & Qt::AltModifier) s |= 4;
    return s;
}

int ButtonState(Qt::MouseButtons b) {
    int s = 0;
    if (b & Qt::LeftButton) s |= kButtonLeft;
    if (b & Qt::RightButton) s |= kButtonRight;
    if (b & Qt::MiddleButton) s |= kButtonMiddle;
    return s;
}

}  // namespace kv
