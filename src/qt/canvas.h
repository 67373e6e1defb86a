#pragma once
// The drawing surface of the main window: a widget over a persistent image. Drawing goes to
// the image; painting only copies it, so erasing by overdrawing, the grid switch and locus
// traces behave as on a surface that keeps what was drawn.

#include <QWidget>

#include "paint/image_surface.h"

namespace kv {

class Canvas : public QWidget {
    Q_OBJECT
  public:
    explicit Canvas(QWidget* parent = nullptr);

    ImageSurface& surface() { return surface_; }
    QSize sizeHint() const override { return {641, 481}; }

  signals:
    // Pixel positions within the client area; buttons and shift as the dispatch counts them.
    void Pressed(int buttons, int shift, double px, double py);
    void Moved(int buttons, int shift, double px, double py);
    void KeyPressed(int key, int shift);
    void Resized();
    // The wheel (in eighths of a degree, as Qt counts them) or a pinch (a zoom factor for the
    // world units per pixel) at a pixel position.
    void Wheeled(int angleX, int angleY, bool shift, double px, double py);
    void Pinched(double factor, double px, double py);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

  private:
    ImageSurface surface_;
};

// Key code of a Qt key as the dispatch numbers keys (Esc 27, Enter 13, arrows 37..40,
// letters and digits by their capital character); 0 for a key it has no use for.
int DispatchKeyCode(int qtKey);
int ShiftState(Qt::KeyboardModifiers m);
int ButtonState(Qt::MouseButtons b);

}  // namespace kv
