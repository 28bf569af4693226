// The region commands of the Edit menu, the region context menu, the tool
// bars and the canvas: new region, properties, typed geometry, hide and
// show, duplicate, delete, cut, copy and paste, undo and redo, and the nudge
// step. Each asks the document for one edit; the window follows through
// refresh().
#include "gui/mainwindow/main_window.h"

#include "document/selection_snapshot.h"
#include "editor/edit_commands.h"
#include "gui/common/input_query.h"
#include "gui/common/message_box.h"
#include "gui/common/user_operation.h"
#include "gui/dialogs/region_properties_dialog.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/geometry_bar.h"
#include "project/region_clipboard.h"
#include "project/region_overlay.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollArea>
#include <QToolButton>

namespace tolv::gui {

void MainWindow::connectEditingCommands()
{
    for (QAction* properties : {ui_.propertiesAction, ui_.regionPropertiesAction})
        connect(properties, &QAction::triggered, this, [this] { onRegionProperties(); });
    for (QAction* duplicate : {ui_.regionDuplicateAction, ui_.duplicateAction})
        connect(duplicate, &QAction::triggered, this, [this] { onDuplicate(); });
    for (QAction* remove : {ui_.regionDeleteAction, ui_.deleteAction})
        connect(remove, &QAction::triggered, this, [this] { onDelete(); });
    connect(ui_.undoAction, &QAction::triggered, this, [this] { onUndo(); });
    connect(ui_.cutAction, &QAction::triggered, this, [this] { onCut(); });
    connect(ui_.copyAction, &QAction::triggered, this, [this] { onCopy(); });
    connect(ui_.pasteAction, &QAction::triggered, this, [this] { onPaste(); });
    connect(ui_.geometryBar, &GeometryBar::geometryEntered, this, [this](const RegionGeometry& geometry) {
        document_.setCurrentGeometry(geometry);
        // A value the frame rule changed shows as it was applied, also when
        // the region ends up where it was.
        ui_.geometryBar->showRegion(project().selection.current(), project().LockObj);
        showCurrentGeometry();
        ui_.canvasScroll->setFocus();
    });
    connect(ui_.redoAction, &QAction::triggered, this, [this] { onRedo(); });
    connect(ui_.nudgeStepButton, &QToolButton::clicked, this, [this] { onNudgeStep(); });
}

int MainWindow::runModal(const std::function<int()>& dialog)
{
    ++modalDepth_;
    syncUndoEnabled();
    const int result = dialog();
    --modalDepth_;
    syncUndoEnabled();
    return result;
}

void MainWindow::syncUndoEnabled()
{
    document_.setUndoEnabled(modalDepth_ == 0 && !animating_);
}

bool MainWindow::framesDefined()
{
    if (project().FrameCount() > 0)
        return true;
    ShowMessage(this, MsgKind::Information,
                "Please define your animation frames in the Project-Settings dialog before adding regions!");
    return false;
}

bool MainWindow::editRegionRecord(Region& record, bool isNew)
{
    RegionPropertiesDialog& dialog = dialogs_.regionProperties;
    const Project& p = project();
    dialog.SetOverlaysRoot(QString::fromStdString(settings_.OverlaysRoot));
    dialog.ClearEdits();
    if (isNew)
        dialog.ResetForNewRegion();
    else
        dialog.LoadRegion(record);
    dialog.SetFrames(p.FrameNames, p.ProjectFolder, p.ShowPreview);
    const bool accepted = runModal([&dialog] { return dialog.exec(); }) == QDialog::Accepted;
    document_.setShowPreview(dialog.ShowPreview());
    if (!accepted)
        return false;
    dialog.StoreRegion(record);
    FreeOverlay(record);
    // An overlay that fails to load is reported; the region keeps its settings.
    if (record.RegionType == RegionKind::Overlay)
        RunUserOperation(this, [&record, &p] { LoadOverlay(record, p.ProjectFolder); });
    return true;
}

void MainWindow::addRegion(const Rect& band)
{
    Region record(band.left, band.top, band.width(), band.height());
    const bool created = framesDefined() && editRegionRecord(record, true);
    if (created)
        document_.addRegion(std::move(record));
    setStatus(StatusPanel::Geometry, created ? QString::fromStdString(BandGeometryText(band)) : QString(" "));
}

void MainWindow::onRegionProperties()
{
    const Region* current = project().selection.current();
    if (!current || !framesDefined())
        return;
    Region record = *current;
    if (editRegionRecord(record, false))
        document_.setRegionProperties(std::move(record));
}

void MainWindow::onHideToggle()
{
    if (const Region* region = project().selection.current())
        applyRegionCommand(region->Visible ? RegionCommand::Hide : RegionCommand::Show);
}

void MainWindow::onDuplicate()
{
    // A failing overlay file stops the command before the copy is added.
    RunUserOperation(this, [this] { document_.duplicateCurrent(); });
}

void MainWindow::onDelete()
{
    document_.deleteSelected();
}

void MainWindow::onUndo()
{
    canvas_->abortGesture();
    document_.undo();
    showCurrentGeometry();
}

void MainWindow::onRedo()
{
    canvas_->abortGesture();
    document_.redo();
    showCurrentGeometry();
}

void MainWindow::showCurrentGeometry()
{
    if (const Region* current = project().selection.current())
        setStatus(StatusPanel::Geometry, QString::fromStdString(GeometryText(*current)));
}

void MainWindow::onCopy()
{
    std::vector<const Region*> selected;
    for (int position : project().selection.positions())
        selected.push_back(project().Regions[std::size_t(position)].get());
    if (!selected.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(RegionsAsText(selected)));
}

void MainWindow::onCut()
{
    if (project().LockObj)
        return;
    onCopy();
    document_.cutSelected();
}

// Text that holds no regions pastes nothing, and says so; regions with a name
// that the project file cannot hold are refused with the reason; an overlay
// that fails to load is reported and its region pasted with its settings.
void MainWindow::onPaste()
{
    std::vector<Region> regions;
    if (!RunUserOperation(this, [&regions] { regions = RegionsFromText(QGuiApplication::clipboard()->text().toStdString()); }))
        return;
    if (regions.empty()) {
        ShowMessage(this, MsgKind::Information, "The clipboard holds no regions");
        return;
    }
    for (Region& region : regions) {
        if (region.RegionType == RegionKind::Overlay)
            RunUserOperation(this, [this, &region] { LoadOverlay(region, project().ProjectFolder); });
    }
    document_.pasteRegions(std::move(regions));
}

void MainWindow::changeNudgeStep(int delta)
{
    document_.setNudgeStep(ChangeNudge(project().NudgeStep, delta));
    setStatus(StatusPanel::Message, QString::fromStdString(NudgeText(project().NudgeStep)));
}

void MainWindow::onNudgeStep()
{
    std::optional<QString> text;
    runModal([&] {
        text = InputQuery(this, "Nudge Factor", "Enter a number from 1 to 50", QString::number(project().NudgeStep));
        return 0;
    });
    if (!text)
        return;
    if (const auto step = ParseNudgeFactor(text->toStdString()))
        document_.setNudgeStep(*step);
}

}  // namespace tolv::gui
