#include "gui/mainwindow/region_commands.h"

#include "document/document.h"
#include "editor/edit_commands.h"
#include "editor/key_map.h"
#include "editor/selection.h"
#include "extract/worksheet_template.h"
#include "gui/common/input_query.h"
#include "gui/common/message_box.h"
#include "gui/common/user_operation.h"
#include "gui/dialogs/region_properties_dialog.h"
#include "gui/editor/edit_key_events.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/action_map.h"
#include "gui/mainwindow/animation_player.h"
#include "gui/mainwindow/geometry_bar.h"
#include "project/region_clipboard.h"
#include "project/region_overlay.h"
#include "settings/settings.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QToolButton>

namespace tolv::gui {

RegionCommands::RegionCommands(QWidget& window, Parts parts)
    : QObject(&window), window_(window), parts_(std::move(parts))
{
    bindActions();
}

void RegionCommands::bindActions()
{
    const MainWindowControls& ui = parts_.ui;
    for (QAction* action : {ui.propertiesAction, ui.regionPropertiesAction})
        connect(action, &QAction::triggered, this, [this] { properties(); });
    for (QAction* action : {ui.regionDuplicateAction, ui.duplicateAction})
        connect(action, &QAction::triggered, this, [this] { duplicate(); });
    for (QAction* action : {ui.regionDeleteAction, ui.deleteAction})
        connect(action, &QAction::triggered, this, [this] { remove(); });
    connect(ui.undoAction, &QAction::triggered, this, [this] { undo(); });
    connect(ui.redoAction, &QAction::triggered, this, [this] { redo(); });
    connect(ui.cutAction, &QAction::triggered, this, [this] { cut(); });
    connect(ui.copyAction, &QAction::triggered, this, [this] { copy(); });
    connect(ui.pasteAction, &QAction::triggered, this, [this] { paste(); });
    connect(ui.nudgeStepButton, &QToolButton::clicked, this, [this] { askNudgeStep(); });
    connect(ui.hideButton, &QToolButton::clicked, this,
            [this](bool down) { applyRegionCommand(down ? RegionCommand::Hide : RegionCommand::Show); });
    // A checked hide item shows the region again; Qt has already toggled the
    // check mark when the item reports its click.
    for (QAction* hide : {ui.hideAction, ui.regionHideAction})
        connect(hide, &QAction::triggered, this, [this](bool nowChecked) {
            applyRegionCommand(nowChecked ? RegionCommand::Hide : RegionCommand::Show);
        });
    connect(ui.geometryBar, &GeometryBar::geometryEntered, this, [this](const RegionGeometry& geometry) {
        setGeometry(geometry);
        parts_.ui.canvasScroll->setFocus();
    });
    FrameCanvas& canvas = parts_.canvas;
    connect(&canvas, &FrameCanvas::bandDrawn, this, [this](const Rect& band) { addRegion(band); });
    connect(&canvas, &FrameCanvas::regionDoubleClicked, this, [this] { properties(); });
}

void RegionCommands::applyRegionCommand(RegionCommand command)
{
    if (!parts_.player.playing())
        parts_.document.applyRegionCommand(command);
}

bool RegionCommands::framesDefined()
{
    if (parts_.document.project().FrameCount() > 0)
        return true;
    ShowMessage(&window_, MsgKind::Information,
                "Please define your animation frames in the Project-Settings dialog before adding regions!");
    return false;
}

bool RegionCommands::editRegionRecord(Region& record, bool isNew)
{
    RegionPropertiesDialog& dialog = parts_.properties;
    const Project& p = parts_.document.project();
    dialog.setOverlaysRoot(QString::fromStdString(parts_.settings.OverlaysRoot));
    dialog.clearEdits();
    if (isNew)
        dialog.resetForNewRegion();
    else
        dialog.loadRegion(record);
    dialog.setFrames(p.FrameNames, p.ProjectFolder, p.ShowPreview);
    dialog.setSheetSource(p, record);
    const bool accepted = parts_.runModal([&dialog] { return dialog.exec(); }) == QDialog::Accepted;
    parts_.document.setShowPreview(dialog.showPreview());
    if (!accepted)
        return false;
    dialog.storeRegion(record);
    reloadOverlay(record);
    return true;
}

// An overlay that fails to load is reported; the region keeps its settings.
void RegionCommands::reloadOverlay(Region& record)
{
    FreeOverlay(record);
    if (record.RegionType == RegionKind::Overlay)
        RunUserOperation(&window_, [this, &record] { LoadOverlay(record, parts_.document.project().ProjectFolder); });
}

void RegionCommands::addRegion(const Rect& band)
{
    Region record(band.left, band.top, band.width(), band.height());
    const bool created = framesDefined() && editRegionRecord(record, true);
    if (created)
        parts_.document.addRegion(std::move(record));
    emit statusChanged(StatusPanel::Geometry, created ? QString::fromStdString(BandGeometryText(band)) : QString(" "));
}

void RegionCommands::properties()
{
    const Region* current = parts_.document.project().selection.current();
    if (!current || !framesDefined())
        return;
    Region record = *current;
    if (editRegionRecord(record, false))
        parts_.document.setRegionProperties(std::move(record));
}

void RegionCommands::setProperties(Region record)
{
    if (parts_.player.playing())
        return;
    reloadOverlay(record);
    parts_.document.setRegionProperties(std::move(record));
}

void RegionCommands::setGeometry(const RegionGeometry& geometry)
{
    if (parts_.player.playing())
        return;
    parts_.document.setCurrentGeometry(geometry);
    // A value the frame rule changed shows as it was applied, also when
    // the region ends up where it was.
    parts_.ui.geometryBar->showRegion(parts_.document.project().selection.current(),
                                      parts_.document.project().LockObj);
    showCurrentGeometry();
}

void RegionCommands::hideToggle()
{
    if (const Region* region = parts_.document.project().selection.current())
        applyRegionCommand(region->Visible ? RegionCommand::Hide : RegionCommand::Show);
}

void RegionCommands::toggleFrame(int position)
{
    RunUserOperation(&window_, [this, position] {
        Document& document = parts_.document;
        if (const Region* current = document.project().selection.current())
            document.setRegionProperties(WithFrameToggled(document.project(), *current, position), steps::ToggleFrame);
    });
}

void RegionCommands::duplicate()
{
    // A failing overlay file stops the command before the copy is added.
    RunUserOperation(&window_, [this] { parts_.document.duplicateCurrent(); });
}

void RegionCommands::remove()
{
    parts_.document.deleteSelected();
}

void RegionCommands::undo()
{
    parts_.canvas.abortGesture();
    parts_.document.undo();
    showCurrentGeometry();
}

void RegionCommands::redo()
{
    parts_.canvas.abortGesture();
    parts_.document.redo();
    showCurrentGeometry();
}

void RegionCommands::showCurrentGeometry()
{
    if (const Region* current = parts_.document.project().selection.current())
        emit statusChanged(StatusPanel::Geometry, QString::fromStdString(GeometryText(*current)));
}

void RegionCommands::copy()
{
    const Project& project = parts_.document.project();
    std::vector<const Region*> selected;
    for (int position : project.selection.positions())
        selected.push_back(project.Regions[std::size_t(position)].get());
    if (!selected.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(RegionsAsText(selected)));
}

void RegionCommands::cut()
{
    if (parts_.document.project().LockObj)
        return;
    copy();
    parts_.document.cutSelected();
}

// Text that holds no regions pastes nothing, and says so; regions with a name
// that the project file cannot hold are refused with the reason; an overlay
// that fails to load is reported and its region pasted with its settings.
void RegionCommands::paste()
{
    std::vector<Region> regions;
    if (!RunUserOperation(
            &window_, [&regions] { regions = RegionsFromText(QGuiApplication::clipboard()->text().toStdString()); }))
        return;
    if (regions.empty()) {
        ShowMessage(&window_, MsgKind::Information, "The clipboard holds no regions");
        return;
    }
    const std::string& folder = parts_.document.project().ProjectFolder;
    for (Region& region : regions) {
        if (region.RegionType == RegionKind::Overlay)
            RunUserOperation(&window_, [&region, &folder] { LoadOverlay(region, folder); });
    }
    parts_.document.pasteRegions(std::move(regions));
}

void RegionCommands::changeNudgeStep(int delta)
{
    Document& document = parts_.document;
    document.setNudgeStep(ChangeNudge(document.project().NudgeStep, delta));
    emit statusChanged(StatusPanel::Message, QString::fromStdString(NudgeText(document.project().NudgeStep)));
}

void RegionCommands::askNudgeStep()
{
    std::optional<QString> text;
    parts_.runModal([&] {
        text = InputQuery(&window_, "Nudge Factor", "Enter a number from 1 to 50",
                          QString::number(parts_.document.project().NudgeStep));
        return 0;
    });
    if (!text)
        return;
    if (const auto step = ParseNudgeFactor(text->toStdString()))
        parts_.document.setNudgeStep(*step);
}

bool RegionCommands::keyPressed(const QKeyEvent& event)
{
    const EditKey key = ToEditKey(event);
    // Esc ends a drag without a trace before it would clear the selection.
    if (key == EditKey::Escape && parts_.canvas.abortGesture())
        return true;
    const Project& project = parts_.document.project();
    const KeyAction action = ResolveKey(key, HeldModifiers(event), project.NudgeStep, project.LockObj);
    runKeyAction(action);
    return action.command != KeyCommand::None;
}

void RegionCommands::keyReleased(const QKeyEvent& event)
{
    if (parts_.canvas.prefilterHeld() && EndsNudging(ToEditKey(event)))
        parts_.canvas.releasePrefilter();
}

void RegionCommands::runKeyAction(const KeyAction& action)
{
    Document& document = parts_.document;
    const auto select = [this, &document](SelectionOp::Kind kind) {
        document.changeSelection({kind});
        showCurrentGeometry();
    };
    const auto nudge = [this, &document](bool (Document::*edit)(int, int), int dx, int dy) {
        if (!CanNudgeSelected(document.project()))
            return;
        parts_.canvas.holdPrefilter();
        (document.*edit)(dx, dy);
        // Status panel 1 ends with the geometry of the last region visited.
        const std::vector<Region*> visited = SelectedFromLast(document.project());
        if (!visited.empty())
            emit statusChanged(StatusPanel::Geometry, QString::fromStdString(GeometryText(*visited.back())));
    };
    switch (action.command) {
    case KeyCommand::None:
        break;
    case KeyCommand::SelectNext:
        select(SelectionOp::Kind::Next);
        break;
    case KeyCommand::SelectPrevious:
        select(SelectionOp::Kind::Previous);
        break;
    case KeyCommand::Deselect:
        document.changeSelection({SelectionOp::Kind::DeselectAll});
        break;
    case KeyCommand::SizeSelected:
        nudge(&Document::nudgeSize, action.dx, action.dy);
        break;
    case KeyCommand::MoveSelected:
        nudge(&Document::nudgeMove, action.dx, action.dy);
        break;
    case KeyCommand::Duplicate:
        duplicate();
        break;
    case KeyCommand::Delete:
        remove();
        break;
    case KeyCommand::HideToggle:
        hideToggle();
        break;
    case KeyCommand::Properties:
        properties();
        break;
    case KeyCommand::ChangeNudge:
        changeNudgeStep(action.nudgeDelta);
        break;
    }
}

}  // namespace tolv::gui
