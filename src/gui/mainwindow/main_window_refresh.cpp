// The one refresh path: every control of the window follows the document's
// notification, whatever made the change.
#include "gui/mainwindow/main_window.h"

#include "document/menu_state.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/geometry_bar.h"
#include "gui/mainwindow/tool_glyphs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace tolv::gui {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

void MainWindow::refresh(const DocumentChange& change)
{
    const bool listChanged = change.projectReplaced || !change.added.empty() || !change.removed.empty();
    if (listChanged)
        fillQuickPick();
    else
        renameInQuickPick(change.changed);
    // While an animation plays, the quick pick and the status keep what
    // playback shows; they catch up at the stop.
    if (!animating_) {
        const Region* current = project().selection.current();
        ui_.quickPick->setCurrentIndex(current ? project().selection.positionOf(*current) : -1);
    }
    // Saved under a name of its own, a project made with New is captioned as
    // an opened one.
    if (change.fileNameChanged)
        createdWithNew_ = false;
    if (change.projectReplaced || change.fileNameChanged) {
        const std::string& name = project().ProjectFileName;
        setWindowTitle(Q(createdWithNew_ ? "Tolv [" + name + "]" : "Tolv - " + name));
    }
    if (change.projectReplaced) {
        // Nothing of the project before stays on show; a new project keeps
        // the canvas as it is.
        setStatus(StatusPanel::Geometry, QString());
        if (!createdWithNew_)
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
    unsavedPanel_->setText(project().Modified ? " Unsaved edits" : QString());
    ui_.geometryBar->showRegion(project().selection.current(), project().LockObj);
    applyMenuState(MenuStateFor(MenuContextOf(document_, animating_)));
}

void MainWindow::fillQuickPick()
{
    ui_.quickPick->clear();
    for (const auto& region : project().Regions)
        ui_.quickPick->addItem(Q(PickText(*region)));
}

// A move leaves the quick pick as it is; a rename or a hide changes the
// region's own line only.
void MainWindow::renameInQuickPick(const std::vector<RegionChange>& changed)
{
    for (const RegionChange& change : changed)
        if (change.aspect != RegionAspect::Geometry)
            ui_.quickPick->setItemText(project().selection.positionOf(*change.region), Q(PickText(*change.region)));
}

void MainWindow::showSelectionStatus()
{
    if (animating_)
        return;
    const Project& p = project();
    if (const Region* current = p.selection.current())
        setStatus(StatusPanel::Message, " Region: " + Q(PickText(*current)));
    else
        setStatus(StatusPanel::Message, Q(FrameText(p)));
}

void MainWindow::applyMenuState(const MenuState& state)
{
    struct Enabling {
        QAction* action;
        bool enabled;
    };
    const Enabling items[] = {
        {ui_.fileMenu->menuAction(), state.fileMenu},
        {ui_.editMenu->menuAction(), state.editMenu},
        {ui_.projectMenu->menuAction(), state.projectMenu},
        {ui_.extractMenu->menuAction(), state.extractMenu},
        {ui_.viewMenu->menuAction(), state.editMenu},
        {ui_.helpMenu->menuAction(), state.helpMenu},
        {ui_.undoAction, state.undo},
        {ui_.redoAction, state.redo},
        {ui_.cutAction, state.cutRegions},
        {ui_.copyAction, state.copyRegions},
        {ui_.pasteAction, state.pasteRegions},
        {ui_.propertiesAction, state.regionProperties},
        {ui_.regionPropertiesAction, state.regionProperties},
        {ui_.hideAction, state.hideRegion},
        {ui_.regionHideAction, state.hideRegion},
        {ui_.duplicateAction, state.duplicateRegion},
        {ui_.regionDuplicateAction, state.duplicateRegion},
        {ui_.deleteAction, state.deleteRegion},
        {ui_.regionDeleteAction, state.deleteRegion},
        {ui_.animateAction, state.animate},
        {ui_.regionAnimateAction, state.animate},
        {ui_.previousFrameAction, state.previousFrame},
        {ui_.nextFrameAction, state.nextFrame},
    };
    for (const Enabling& item : items)
        item.action->setEnabled(item.enabled);
    for (QAction* hide : {ui_.hideAction, ui_.regionHideAction})
        hide->setChecked(state.hideRegionChecked);
    for (QAction* animate : {ui_.animateAction, ui_.regionAnimateAction})
        animate->setChecked(state.animateChecked);
    ui_.animateAction->setText(state.animateChecked ? "&Animate stop" : "&Animate");
    ui_.hideButton->setEnabled(state.hideRegion);
    ui_.hideButton->setChecked(state.hideRegionChecked);
    ui_.lockLayoutAction->setChecked(state.lockLayoutChecked);
    ui_.lockButton->setChecked(state.lockLayoutChecked);
    ui_.lockButton->setIcon(ToolGlyphIcon(state.lockLayoutChecked ? ToolGlyph::Locked : ToolGlyph::Unlocked));
    ui_.toolBar->setEnabled(state.toolBar);
    ui_.geometryBar->setEnabled(state.toolBar);
    ui_.undoAction->setText("&" + Q(document_.undoText()));
    ui_.redoAction->setText("&" + Q(document_.redoText()));
}

}  // namespace tolv::gui
