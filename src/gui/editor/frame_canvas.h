#pragma once

#include "editor/drag_rules.h"
#include "editor/frame_display.h"
#include "gui/editor/region_grid.h"
#include "platform/image/bitmap.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <optional>

class QMouseEvent;
class QPainter;

namespace tolv {
class Document;
struct DocumentChange;
struct Project;
struct Region;
}  // namespace tolv

namespace tolv::gui {

// The four panels of the main window's status bar.
enum class StatusPanel { Pointer = 0, Geometry = 1, Message = 2, Zoom = 3 };

// The frame canvas: shows the current frame at the zoom of the view with the
// text boxes and overlays that apply to it painted in, or the checkerboard
// where no frame is available, and draws the regions of the document over it
// in the same paint pass, looked up in a grid of the frame area (RegionGrid)
// that follows the document's notifications, so that a paint or a hit test
// looks only at the regions near its place. There is no object per region.
// Its edits go to the document and it talks to the window only through its
// signals.
//
// The canvas is the frame area times the zoom. Every gesture works in frame
// pixels; outlines, the size handle and the grid are drawn in screen pixels.
// A mouse gesture is one state (DragState::gesture), and drag outlines are
// painted above the regions, so no frame bitmap is rebuilt while the mouse
// drags. Presses on the margin of the view beside the frame come here too
// (takeMarginPresses) and start a band held to the frame. Nothing changes in the document before the release, so aborting a
// gesture puts everything back.
class FrameCanvas : public QWidget {
    Q_OBJECT
public:
    FrameCanvas(Document& document, QWidget* parent);
    ~FrameCanvas() override;

    Document& document() { return document_; }
    const Project& project() const;

    const Bitmap& displayBitmap() const { return display_; }
    // The display bitmap as painted; converted only when the bitmap changed.
    const QImage& displayImage();

    // The frame area shown, in frame pixels; the canvas is that times the zoom.
    void setFrameArea(int width, int height);
    QSize frameArea() const { return frameArea_; }
    // 1.0 shows a frame pixel as one screen pixel.
    void setZoom(double scale);
    double zoom() const { return scale_; }
    // The frame pixel under a canvas position, and a region's place on screen.
    Point pixelAt(const QPoint& canvasPos) const;
    QRect screenRectOf(const Region& region) const;
    QRect screenRectOf(const QRect& frameRect) const;

    // The window's view switches the canvas paints by.
    void setShowPaintAll(bool on);
    bool showPaintAll() const { return showPaintAll_; }
    void setPixelGrid(bool on);
    void setSnapping(bool on) { snapping_ = on; }
    void setRegionNames(bool on);
    bool regionNames() const { return regionNames_; }
    // During playback the mouse does nothing on the canvas.
    void setAnimating(bool on) { animating_ = on; }
    // While Space is held a left drag pans the view.
    void setSpaceHeld(bool held) { spaceHeld_ = held; }

    // Keyboard nudges: text boxes and overlays keep their painted place until
    // the modifier key is released and the hold ends.
    void holdPrefilter() { holdPrefilter_ = true; }
    bool prefilterHeld() const { return holdPrefilter_; }
    void releasePrefilter();

    // Moves CurrentFrame by `step` and rebuilds the display. A frame file that
    // fails to load is reported in a message box and the switch stops there.
    void showFrame(FrameStep step);
    // The frame at `position` (from 1), kept within the frame list.
    void showFrameAt(int position);
    // Paints the applicable text boxes and overlays into the display bitmap,
    // first restoring it from the clean frame when `restore` is set.
    void paintPrefilter(bool restore);

    // Shows an animation cel over the frame at `target` (frame pixels) until
    // the frame image is next rebuilt. Only that rectangle is repainted.
    void showCel(const QImage& cel, const QRect& target);
    const QImage& celShown() const { return cel_; }

    // The visible region a press at a canvas position takes hold of: the
    // topmost there, passing over a region that encloses another one there
    // so that the smaller regions inside it stay reachable; nullptr on the
    // bare frame.
    Region* regionAt(const QPoint& canvasPos) const;
    // The tooltip there: the hint of the region under the pointer.
    QString hintAt(const QPoint& canvasPos) const;
    // Where the canvas shows a visible region, as the grid holds it; none for
    // a hidden region or one the grid does not hold.
    std::optional<QRect> shownRect(const Region& region) const;
    std::size_t indexedRegions() const { return grid_.size(); }
    // Where a region that covers the whole frame shows: a small marker in the
    // frame's top-left corner instead of an outline along the frame's edges.
    static QRect backgroundMarker();
    // Mouse presses on `viewport` (the view around the canvas) that the
    // canvas does not cover act as presses on the canvas beside the frame.
    void takeMarginPresses(QWidget* viewport);
    // Esc: the gesture under way ends without a trace; false when none runs.
    bool abortGesture();
    const DragState& drag() const { return drag_; }
    // Where the drag snaps, in frame pixels, while it does.
    std::optional<int> guideX() const { return guideX_; }
    std::optional<int> guideY() const { return guideY_; }
    // How often the frame image was converted for painting; a drag must not
    // convert it.
    int imageRebuilds() const { return imageRebuilds_; }

signals:
    void statusChanged(tolv::gui::StatusPanel panel, const QString& text);
    // A band that caught nothing and is large enough for a new region.
    void bandDrawn(const tolv::Rect& band);
    void regionMenuRequested(const QPoint& globalPos);
    void regionDoubleClicked();
    // Ctrl+wheel: zoom by `steps` levels about a canvas position.
    void zoomRequested(int steps, const QPoint& canvasPos);
    // A pan drag moved the pointer by `delta` screen pixels.
    void panRequested(const QPoint& delta);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void onDocumentChanged(const DocumentChange& change);
    void setStatus(StatusPanel panel, const QString& text) { emit statusChanged(panel, text); }
    void setDisplay(Bitmap display);
    void rebuildGrid();
    void followRegions(const DocumentChange& change);
    // The frame shown changes when the regions that paint into it change.
    void repaintRegions(const DocumentChange& change);
    void displayShownFrame();
    // The document's current frame into the display, with its text boxes and
    // overlays; the error of a frame file that did not load, which leaves the
    // display as it was.
    std::optional<QString> loadShownFrame();
    void showCurrentFrame();
    void fitToZoom();

    bool startPan(Qt::MouseButton button, const QPoint& globalPos);
    void press(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    bool drawsBandOver(const Region& region, QPoint pos, Qt::MouseButton button) const;
    void pressRegion(Region& region, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void startBand(QPoint pos, bool deselect);
    void bandTo(QPoint pos);
    void release(QPoint pos);
    void dragTo(Point pos, Qt::MouseButtons buttons);
    void showHover(QPoint pos);
    Rect bandAt(QPoint end) const;
    void panTo(const QPoint& globalPos);
    void dragMove(Point pos);
    void finishMove();
    void dragSize(Point pos);
    void finishSize();
    void finishBand(QPoint end);
    void endGesture();
    void setGuides(std::optional<int> x, std::optional<int> y);
    void setOutline(const Rect& outline);
    void clearOutline() { setOutline({}); }
    QRegion outlinePixels() const;
    QRegion guidePixels() const;

    void paintFrame(QPainter& painter, const QRect& exposed);
    void paintGrid(QPainter& painter, const QRect& exposed);
    void paintRegions(QPainter& painter, const QRect& exposed);
    void paintNames(QPainter& painter, const QRect& exposed);
    void paintOverlayLines(QPainter& painter, const QRegion& dirty);

    Document& document_;
    int subscription_ = 0;
    Bitmap display_;
    Bitmap clean_;
    QImage image_;
    bool imageDirty_ = true;
    // The image smoothly scaled down, kept while the zoom is below 100 %.
    QImage shrunk_;
    QImage cel_;
    QRect celTarget_;
    RegionGrid grid_;
    DragState drag_;
    // A press inside a region that covers the whole frame: a click selects
    // it, a drag draws a band over it.
    Region* backgroundPressed_ = nullptr;
    Qt::MouseButton pressButton_ = Qt::NoButton;
    Qt::KeyboardModifiers pressModifiers_;
    QWidget* margin_ = nullptr;
    // What the wheel turned short of a whole notch, kept for the next turn.
    int wheelRest_ = 0;
    bool handCursor_ = false;
    Rect outline_;
    // Band: the press in screen pixels; pan: the last global position.
    QPoint screenStart_;
    QPoint panLast_;
    // What snapping adds to the drag, and where it snaps.
    Point snap_;
    std::optional<int> guideX_;
    std::optional<int> guideY_;
    QSize frameArea_{CheckerboardWidth, CheckerboardHeight};
    double scale_ = 1.0;
    int imageRebuilds_ = 0;
    bool showPaintAll_ = false;
    bool pixelGrid_ = false;
    bool snapping_ = false;
    bool regionNames_ = false;
    bool animating_ = false;
    bool spaceHeld_ = false;
    bool holdPrefilter_ = false;
};

}  // namespace tolv::gui
