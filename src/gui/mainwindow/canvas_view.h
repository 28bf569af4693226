#pragma once

#include <QPoint>
#include <QScrollArea>

namespace tolv {
class Document;
}

namespace tolv::gui {

class FrameCanvas;
struct MainWindowControls;

// The scrolled view of the frame canvas: the zoom, the fit and the pan. The
// zoom keeps the frame point under the pointer (or under the middle of the
// view for the keys and menu items) in its place.
class CanvasView : public QScrollArea {
    Q_OBJECT
public:
    CanvasView(Document& document, QWidget* parent);

    FrameCanvas& canvas() { return *canvas_; }
    // The View menu's zoom, fit, pixel grid, snapping and region names, and
    // the switch that shows overlays and text boxes on every frame. `ui`
    // lives as long as the view.
    void bindActions(const MainWindowControls& ui);

    // `viewportPos` is the point of the viewport that keeps its frame point.
    void zoomTo(double scale, const QPoint& viewportPos);
    void zoomBy(int steps, const QPoint& viewportPos);
    void fitFrameToView();
    QPoint viewCentre() const;

private:
    void panBy(const QPoint& delta);

    FrameCanvas* canvas_ = nullptr;
};

}  // namespace tolv::gui
