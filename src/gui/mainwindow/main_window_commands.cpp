// The handlers of the menus and the tool bar that are the window's own, and
// how the window's parts are wired to the controls and to each other.
#include "gui/mainwindow/main_window.h"

#include "document/menu_state.h"
#include "editor/animation_cels.h"
#include "editor/selection.h"
#include "gui/common/help_router.h"
#include "gui/common/message_box.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/preferences_dialog.h"
#include "gui/dialogs/project_setup_dialog.h"
#include "gui/editor/frame_canvas.h"
#include "gui/extract/extraction_dialog.h"
#include "gui/extract/results_window.h"
#include "gui/mainwindow/action_map.h"
#include "gui/mainwindow/animation_player.h"
#include "gui/mainwindow/canvas_view.h"
#include "gui/mainwindow/project_session.h"
#include "gui/mainwindow/region_commands.h"
#include "gui/panels/frames_panel.h"
#include "platform/errors.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

namespace tolv::gui {

void MainWindow::connectCommands()
{
    connect(ui_.newAction, &QAction::triggered, session_, &ProjectSession::newProject);
    connect(ui_.openAction, &QAction::triggered, session_, &ProjectSession::open);
    connect(ui_.saveAction, &QAction::triggered, session_, &ProjectSession::save);
    connect(ui_.saveAsAction, &QAction::triggered, session_, &ProjectSession::saveAs);
    connect(ui_.exitAction, &QAction::triggered, this, &QWidget::close);
    connect(ui_.lockLayoutAction, &QAction::triggered, this, [this] { onLockLayout(); });
    connect(ui_.lockButton, &QToolButton::clicked, this, [this] { onLockLayout(); });
    connect(ui_.previousFrameAction, &QAction::triggered, this, [this] { showAdjacentFrame(FrameStep::Previous); });
    connect(ui_.nextFrameAction, &QAction::triggered, this, [this] { showAdjacentFrame(FrameStep::Next); });
    connect(ui_.previousFrameButton, &QToolButton::clicked, this, [this] { showAdjacentFrame(FrameStep::Previous); });
    connect(ui_.nextFrameButton, &QToolButton::clicked, this, [this] { showAdjacentFrame(FrameStep::Next); });
    connect(ui_.projectSetupAction, &QAction::triggered, this, [this] { runProjectSetup(false); });
    connect(ui_.preferencesAction, &QAction::triggered, this,
            [this] { runModal([this] { return int(dialogs_.preferences.execute(settings_)); }); });
    connect(ui_.extractAction, &QAction::triggered, this, [this] { onExtract(); });
    connect(ui_.checkAction, &QAction::triggered, this, [this] { dialogs_.results.runCheck(project()); });
    connect(ui_.helpContentsAction, &QAction::triggered, this, [this] { onHelpContents(); });
    connect(ui_.aboutAction, &QAction::triggered, this, [this] { runModal([this] { return dialogs_.about.exec(); }); });
    connect(ui_.quickPick, &QComboBox::activated, this, [this] { onQuickPick(); });
    for (QAction* animate : {ui_.animateAction, ui_.regionAnimateAction})
        connect(animate, &QAction::triggered, this, [this] { onAnimate(); });
    connect(&dialogs_.extraction, &ExtractionDialog::switchesChanged, this, [this](bool clips, bool backgrounds) {
        document_.setExtractionSwitches({clips, backgrounds});
    });
    view_->bindActions(ui_);
}

void MainWindow::connectParts()
{
    const auto status = [this](StatusPanel panel, const QString& text) { setStatus(panel, text); };
    connect(&canvas(), &FrameCanvas::statusChanged, this, status);
    connect(commands_, &RegionCommands::statusChanged, this, status);
    connect(&canvas(), &FrameCanvas::regionMenuRequested, this,
            [this](const QPoint& globalPos) { ui_.regionMenu->popup(globalPos); });
    connect(session_, &ProjectSession::projectShown, this, [this] { placeWindowOnce(); });
    connect(session_, &ProjectSession::frameSetupWanted, this, [this] { runProjectSetup(true); });
    for (QMenu* menu : {ui_.fileMenu, ui_.recentMenu, ui_.editMenu, ui_.viewMenu, ui_.projectMenu, ui_.extractMenu,
                        ui_.helpMenu, ui_.regionMenu})
        menu->installEventFilter(this);
}

bool MainWindow::animating() const
{
    return player_->playing();
}

void MainWindow::onLockLayout()
{
    document_.setLockLayout(!project().LockObj);
}

void MainWindow::onQuickPick()
{
    document_.changeSelection({SelectionOp::Kind::Pick, ui_.quickPick->currentIndex()});
    commands_->showCurrentGeometry();
    view_->setFocus();
}

void MainWindow::showAdjacentFrame(FrameStep step)
{
    canvas().showFrame(step);
    framesPanel_->followShownFrame();
    ApplyMenuState(ui_, MenuStateFor(MenuContextOf(document_, animating())), document_);
}

void MainWindow::onExtract()
{
    if (!ExtractionAllowed(this, project()))
        return;
    runModal([this] { return dialogs_.extraction.openFor(project(), settings_); });
}

void MainWindow::onHelpContents()
{
    helpRouter_->showTopic("topic10");
}

void MainWindow::onAnimate()
{
    // The items are checkable only to show the playback state; a click must
    // not toggle the mark by itself.
    ui_.animateAction->setChecked(animating());
    ui_.regionAnimateAction->setChecked(animating());
    if (animating()) {
        stopAnimation();
        return;
    }
    const Region* region = project().selection.current();
    if (!region)
        return;
    // A background, text box or overlay cuts nothing out that could play.
    if (region->RegionType != RegionKind::Clip) {
        setStatus(StatusPanel::Message, " Animation: only clip regions (type 1) play");
        return;
    }
    if (CelFrameCount(*region) == 0) {
        setStatus(StatusPanel::Message, " Animation: no frames to play");
        return;
    }
    // The cels are made before anything changes, so that a frame that
    // cannot be loaded leaves the selection and the menus as they were.
    try {
        player_->play(project(), *region, settings_.AnimationDelay);
    } catch (const TolvError& error) {
        ShowError(this, QString::fromStdString(error.what()));
        return;
    }
    document_.changeSelection({SelectionOp::Kind::DeselectAll});
    syncUndoEnabled();
}

void MainWindow::stopAnimation()
{
    player_->stop();
    // The menus and the status follow the selection again; the keyboard may
    // have changed it during playback.
    syncUndoEnabled();
    showSelectionStatus();
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
    document_.setUndoEnabled(modalDepth_ == 0 && !animating());
}

bool MainWindow::runProjectSetup(bool newProject)
{
    ProjectSetupDialog& dialog = dialogs_.projectSetup;
    dialog.fillFromProject(project(), newProject);
    if (runModal([&dialog] { return dialog.exec(); }) != QDialog::Accepted)
        return false;
    document_.applyProjectSetup(dialog.setup());
    return true;
}

void MainWindow::fitCanvasToFrames()
{
    canvas().setFrameArea(project().FrameAreaWidth, project().FrameAreaHeight);
}

}  // namespace tolv::gui
