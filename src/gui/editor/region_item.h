#pragma once

#include "project/region.h"

#include <QWidget>

class QPainter;

namespace tolv::gui {

class FrameCanvas;

// A region on the canvas: a lightweight child item (no native window) that
// mirrors one region of the document. It paints only its outline, in the pen
// of its selection state, so the frame stays visible through it; shows the
// region's hint as tooltip and a pointing hand, and its name when the view
// asks for names; passes its mouse to the canvas. A hidden region is not shown, so the mouse does not reach it either.
class RegionItem : public QWidget {
    Q_OBJECT
public:
    RegionItem(FrameCanvas& canvas, Region& region);

    Region& region() { return region_; }
    const Region& region() const { return region_; }

    // Brings the item in line with its region: place, size, visibility,
    // tooltip, and a repaint when the selection state changed.
    void sync();
    // Moves the item below every other when its region encloses another one,
    // so the smaller regions inside it stay reachable.
    void sendBackIfEnclosing();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void paintName(QPainter& painter);

    FrameCanvas& canvas_;
    Region& region_;
    SelectionState paintedState_ = SelectionState::None;
};

}  // namespace tolv::gui
