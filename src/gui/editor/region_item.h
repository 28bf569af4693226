#pragma once

#include "project/region.h"

#include <QWidget>

namespace tolv::gui {

class TBackgrnd;

// A region on the canvas: a lightweight child item (no native window) that
// mirrors one region of the project. It paints only its outline, in the pen
// of its selection state, so the frame stays visible through it; shows the
// region's hint as tooltip and a pointing hand; opens the region context
// menu. A hidden region is not shown, so the mouse does not reach it either.
// Later items lie above earlier ones.
class tRegion : public QWidget {
    Q_OBJECT
public:
    tRegion(TBackgrnd& canvas, Region& region);

    Region& region() { return region_; }
    const Region& region() const { return region_; }

    // Brings the item in line with its region: place, size, visibility,
    // tooltip, and a repaint when the selection state changed.
    void Sync();
    void SetHint();
    // Puts the region into selection state `state`; entering 1 shows its
    // geometry in status panel 1.
    void SetState(int state);
    // The main window's state for this region as the current region.
    void UpdateGUI();
    // The region's line in the quick pick: name and visibility marker.
    void Set_qPick();
    // 1 hides a visible region, 2 shows a hidden one; anything else nothing.
    void RegionCmd(int cmd);
    // Moves the item below every other when its region encloses another one,
    // so the smaller regions inside it stay reachable.
    void SendBackIfEnclosing();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TBackgrnd& canvas_;
    Region& region_;
    int paintedState_ = NotSelected;
};

}  // namespace tolv::gui
