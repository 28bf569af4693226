// The Region Object Properties exchange: a new region drawn with the band, or
// the current region's properties.
#include "gui/editor/backgrnd.h"

#include "editor/selection.h"
#include "gui/app/message_box.h"
#include "gui/app/user_operation.h"
#include "gui/app/windows.h"
#include "gui/dialogs/xlist.h"
#include "gui/editor/region_item.h"
#include "gui/project/main_form.h"
#include "project/region_overlay.h"

#include <QComboBox>
#include <QToolButton>

namespace tolv::gui {

bool TBackgrnd::EditRegion(bool isNew, int left, int top, int width, int height)
{
    Project& p = project();
    if (p.FrameCount() == 0) {
        ShowMessage(&form_, MsgKind::Information,
                    "Please define your animation frames in the Project-Settings dialog before adding regions!");
        return false;
    }
    if (!isNew && !p.CurrentRegion)
        return false;
    Txlist& dialog = *xlist;
    dialog.SetOverlaysRoot(QString::fromStdString(form_.settings().OverlaysRoot));
    dialog.ClearEdits();
    if (isNew)
        dialog.ResetForNewRegion();
    else
        dialog.LoadRegion(*p.CurrentRegion, p.FrameCount());
    dialog.SetFrames(p.FrameNames, p.ProjectFolder, p.ShowPreview);

    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted)
        StoreEditedRegion(isNew ? AddRegion(left, top, width, height) : *ItemOf(p.CurrentRegion));
    p.ShowPreview = dialog.ShowPreview();
    return accepted;
}

tRegion& TBackgrnd::AddRegion(int left, int top, int width, int height)
{
    Project& p = project();
    p.Regions.push_back(ConstructRegion(p, left, top, width, height));
    Region& region = *p.Regions.back();
    AdoptRegions();
    tRegion& item = *ItemOf(&region);
    if (p.CurrentRegion)
        ItemOf(p.CurrentRegion)->SetState(NotSelected);
    item.SetState(CurrentSelected);
    QComboBox* qPick = form_.Ui().qPick;
    region.PickIndex = qPick->count();
    qPick->addItem(QString());
    return item;
}

void TBackgrnd::StoreEditedRegion(tRegion& item)
{
    Region& region = item.region();
    xlist->StoreRegion(region);
    item.Set_qPick();
    form_.Ui().qPick->setCurrentIndex(region.PickIndex);
    form_.Ui().tbhidden->setChecked(!region.Visible);
    FreeMergeBMP(region);
    if (region.RegionType == RegionKind::Overlay)
        RunUserOperation(&form_, [&region] { LoadMergeBMP(region); });
    PaintPrefilter(true);
    project().Modified = true;
    item.Sync();
}

}  // namespace tolv::gui
