#pragma once

#include "editor/drag_rules.h"
#include "platform/bitmap.h"
#include "project/project.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <string>
#include <unordered_map>
#include <vector>

class QMouseEvent;
class QPainter;

namespace tolv::gui {

class TMainForm;
class tRegion;

// The frame canvas: shows the current frame 1:1 with the text boxes and
// overlays that apply to it painted in, or the checkerboard where no frame is
// available, and hosts one tRegion item per region of the project. The
// project model holds the frame list, the regions and the selection; the
// canvas keeps the two frame bitmaps and the items in step with it, and
// switches the main window's region menus between the state for no current
// region and the state for one.
//
// Mouse gestures (band, region pressed, moving, sizing) are one state
// machine on the canvas: the items pass their presses, moves and releases
// here, and drag outlines are canvas state painted above the items, so no
// frame bitmap is rebuilt while the mouse drags.
class TBackgrnd : public QWidget {
    Q_OBJECT
public:
    TBackgrnd(TMainForm& form, QWidget* parent);
    ~TBackgrnd() override;

    TMainForm& Form() { return form_; }
    Project& project();

    const Bitmap& DisplayBitmap() const { return display_; }
    const Bitmap& CleanBitmap() const { return clean_; }
    // The display bitmap as painted; converted only when the bitmap changed.
    const QImage& DisplayImage();

    // Set by keyboard nudges: text boxes and overlays are not repainted until
    // the modifier key is released.
    bool HoldPrefilter = false;

    // Moves CurrentFrame by delta (-1, +1, 0 to reload) and rebuilds the
    // display. A frame file that fails to load is reported in a message box
    // and the switch stops there.
    void ShowFrame(int delta);
    // Paints the applicable text boxes and overlays into the display bitmap,
    // first restoring it from the clean frame when `restore` is set.
    void PaintPrefilter(bool restore);
    void MarkFrameRegions(const std::string& frameName);
    void UpdateFrameMenus();
    // The main window's state for no current region.
    void ShowNoSelection();

    // Shows an animation cel over the frame at `target` (canvas coordinates)
    // until the frame image is next rebuilt. Only that rectangle is repainted.
    void ShowCel(const QImage& cel, const QRect& target);
    const QImage& CelShown() const { return cel_; }

    // Destroys every region and its item; no selection.
    void FreeRegions();
    // Before a project is loaded: no regions, no frames, no gestures.
    void ResetCanvas();
    // Creates the item of every region that has none, in list order, so
    // later regions lie above earlier ones.
    void AdoptRegions();
    tRegion* ItemOf(const Region* region) const;

    void DeselectAll();
    void SelectRegion(int index);
    void SelectNext();
    void SelectPrevious();
    // Destroys every selected region; the caller rebuilds the quick pick.
    void DeleteSelected();
    void RenumberRegions();
    void FillQuickPick();
    // Keyboard nudges of the selected regions. Text boxes and overlays keep
    // their painted place until the modifier key is released (HoldPrefilter).
    void SizeSelected(int dw, int dh);
    void MoveSelected(int dx, int dy);

    // Mouse gestures of the region items, with points local to the item.
    void RegionMouseDown(tRegion& item, QPoint local, Qt::MouseButton button, bool shift);
    void RegionMouseMove(tRegion& item, QPoint local, Qt::MouseButtons buttons);
    void RegionMouseUp();
    // Move and size drags, in canvas positions.
    void DragMove(Point pos);
    void EndMove();
    void DragSize(Point pos);
    void EndSize();
    // The Region Object Properties dialog for a new region with this geometry
    // or for the current region; true when it was closed with OK.
    bool EditRegion(bool isNew, int left, int top, int width, int height);
    const DragState& Drag() const { return drag_; }
    // How often the frame image was converted for painting; a drag must not
    // convert it.
    int ImageRebuilds() const { return imageRebuilds_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetDisplay(Bitmap display);
    // Repaints the items whose region changed its selection state.
    void SyncItems();
    // The selected region's item, menus and status after a selection command.
    void ShowSelected(Region* region);
    void ShowNudged(const std::vector<Region*>& regions);
    void DropItem(const Region* region);
    void EndBand(Point end);
    void SetOutline(const Rect& outline);
    void ClearOutline();
    void PaintOutline(QPainter& painter, const QRegion& dirty);
    // A region drawn with the band: appended, current, with its quick pick line.
    tRegion& AddRegion(int left, int top, int width, int height);
    void StoreEditedRegion(tRegion& item);

    TMainForm& form_;
    Bitmap display_;
    Bitmap clean_;
    QImage image_;
    bool imageDirty_ = true;
    QImage cel_;
    QRect celTarget_;
    std::unordered_map<const Region*, tRegion*> items_;
    DragState drag_;
    Rect outline_;
    int imageRebuilds_ = 0;
};

}  // namespace tolv::gui
