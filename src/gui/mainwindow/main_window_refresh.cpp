// The one refresh path: every control of the window follows the document's
// notification, whatever made the change.
#include "gui/mainwindow/main_window.h"

#include "document/menu_state.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/action_map.h"
#include "gui/mainwindow/geometry_bar.h"
#include "gui/mainwindow/project_session.h"

#include <QComboBox>
#include <QLabel>

namespace tolv::gui {

void MainWindow::refresh(const DocumentChange& change)
{
    const bool listChanged =
        change.projectReplaced || change.orderChanged || !change.added.empty() || !change.removed.empty();
    if (listChanged)
        fillQuickPick();
    else
        renameInQuickPick(change.changed);
    // While an animation plays, the quick pick and the status keep what
    // playback shows; they catch up at the stop.
    if (!animating()) {
        const Region* current = project().selection.current();
        ui_.quickPick->setCurrentIndex(current ? project().selection.positionOf(*current) : -1);
    }
    if (change.projectReplaced || change.fileNameChanged)
        setWindowTitle(session_->caption());
    if (change.projectReplaced) {
        // Nothing of the project before stays on show; a new project keeps
        // the canvas as it is.
        setStatus(StatusPanel::Geometry, QString());
        if (!session_->createdWithNew())
            fitCanvasToFrames();
        showSelectionStatus();
    } else {
        if (change.frameListChanged)
            fitCanvasToFrames();
        if (change.frameListChanged || change.selectionChanged || listChanged || !change.changed.empty())
            showSelectionStatus();
    }
    // The caption keeps the project's name only; the status bar tells of
    // edits not yet saved.
    ui_.unsavedPanel->setText(project().Modified ? " Unsaved edits" : QString());
    ui_.geometryBar->showRegion(project().selection.current(), project().LockObj);
    ApplyMenuState(ui_, MenuStateFor(MenuContextOf(document_, animating())), document_);
}

void MainWindow::fillQuickPick()
{
    ui_.quickPick->clear();
    for (const auto& region : project().Regions)
        ui_.quickPick->addItem(QString::fromStdString(PickText(*region)));
}

// A move leaves the quick pick as it is; a rename or a hide changes the
// region's own line only.
void MainWindow::renameInQuickPick(const std::vector<RegionChange>& changed)
{
    for (const RegionChange& change : changed)
        if (change.aspect != RegionAspect::Geometry)
            ui_.quickPick->setItemText(project().selection.positionOf(*change.region),
                                       QString::fromStdString(PickText(*change.region)));
}

void MainWindow::showSelectionStatus()
{
    if (animating())
        return;
    const Project& p = project();
    if (const Region* current = p.selection.current())
        setStatus(StatusPanel::Message, " Region: " + QString::fromStdString(PickText(*current)));
    else
        setStatus(StatusPanel::Message, QString::fromStdString(FrameText(p)));
}

}  // namespace tolv::gui
