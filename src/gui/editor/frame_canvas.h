#pragma once

#include "editor/drag_rules.h"
#include "editor/frame_display.h"
#include "platform/bitmap.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <optional>
#include <unordered_map>

class QMouseEvent;
class QPainter;

namespace tolv {
class Document;
struct DocumentChange;
struct Project;
struct Region;
}  // namespace tolv

namespace tolv::gui {

class RegionItem;

// The four panels of the main window's status bar.
enum class StatusPanel { Pointer = 0, Geometry = 1, Message = 2, Zoom = 3 };

// The frame canvas: shows the current frame at the zoom of the view with the
// text boxes and overlays that apply to it painted in, or the checkerboard
// where no frame is available, and hosts one RegionItem per region of the
// document. It follows the document's notifications; its edits go to the
// document and it talks to the window only through its signals.
//
// The canvas is the frame area times the zoom. Every gesture works in frame
// pixels; outlines, the size handle and the grid are drawn in screen pixels.
// A mouse gesture is one state (DragState::gesture): the items pass their
// presses, moves and releases here, and drag outlines are canvas state
// painted above the items, so no frame bitmap is rebuilt while the mouse
// drags. Nothing changes in the document before the release, so aborting a
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
    // Paints the applicable text boxes and overlays into the display bitmap,
    // first restoring it from the clean frame when `restore` is set.
    void paintPrefilter(bool restore);
    // Marks again the regions of the frame shown, after a run marked others.
    void markShownFrame();

    // Shows an animation cel over the frame at `target` (frame pixels) until
    // the frame image is next rebuilt. Only that rectangle is repainted.
    void showCel(const QImage& cel, const QRect& target);
    const QImage& celShown() const { return cel_; }

    RegionItem* itemOf(const Region* region) const;

    // Mouse gestures of the region items, with points local to the item.
    void regionPressed(RegionItem& item, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void regionMoved(RegionItem& item, QPoint local, Qt::MouseButtons buttons);
    void regionReleased();
    // Esc: the gesture under way ends without a trace; false when none runs.
    bool abortGesture();
    const DragState& drag() const { return drag_; }
    // Where the drag snaps, in frame pixels, while it does.
    std::optional<int> guideX() const { return guideX_; }
    std::optional<int> guideY() const { return guideY_; }
    // How often the frame image was converted for painting; a drag must not
    // convert it.
    int imageRebuilds() const { return imageRebuilds_; }

    void requestRegionMenu(const QPoint& globalPos) { emit regionMenuRequested(globalPos); }
    void requestRegionProperties() { emit regionDoubleClicked(); }

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
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void onDocumentChanged(const DocumentChange& change);
    void setStatus(StatusPanel panel, const QString& text) { emit statusChanged(panel, text); }
    void setDisplay(Bitmap display);
    void resetItems();
    void adoptRegions();
    void dropItem(const Region* region);
    void syncItems();
    // The frame shown changes when the regions that paint into it change.
    void repaintRegions(const DocumentChange& change);
    void fitToZoom();

    bool startPan(Qt::MouseButton button, const QPoint& globalPos);
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
    std::unordered_map<const Region*, RegionItem*> items_;
    DragState drag_;
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
