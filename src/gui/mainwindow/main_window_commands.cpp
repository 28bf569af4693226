// The handlers of the menus and the tool bar.
#include "gui/mainwindow/main_window.h"

#include "document/menu_state.h"
#include "editor/selection.h"
#include "gui/common/help_router.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/preferences_dialog.h"
#include "gui/editor/frame_canvas.h"
#include "gui/extract/extraction_dialog.h"
#include "gui/extract/results_window.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QScrollArea>
#include <QToolButton>

namespace tolv::gui {

void MainWindow::connectCommands()
{
    connect(ui_.newAction, &QAction::triggered, this, [this] { onNew(); });
    connect(ui_.openAction, &QAction::triggered, this, [this] { onOpen(); });
    connect(ui_.saveAction, &QAction::triggered, this, [this] { onSave(); });
    connect(ui_.exitAction, &QAction::triggered, this, &QWidget::close);
    connect(ui_.showPaintAction, &QAction::triggered, this, [this] { onShowPaintAction(); });
    connect(ui_.showPaintButton, &QToolButton::clicked, this, [this] { onShowPaintButton(); });
    connect(ui_.lockLayoutAction, &QAction::triggered, this, [this] { onLockLayout(); });
    connect(ui_.lockButton, &QToolButton::clicked, this, [this] { onLockLayout(); });
    connect(ui_.previousFrameAction, &QAction::triggered, this, [this] { showAdjacentFrame(FrameStep::Previous); });
    connect(ui_.nextFrameAction, &QAction::triggered, this, [this] { showAdjacentFrame(FrameStep::Next); });
    connect(ui_.previousFrameButton, &QToolButton::clicked, this, [this] { showAdjacentFrame(FrameStep::Previous); });
    connect(ui_.nextFrameButton, &QToolButton::clicked, this, [this] { showAdjacentFrame(FrameStep::Next); });
    connect(ui_.projectSetupAction, &QAction::triggered, this, [this] { runProjectSetup(false); });
    connect(ui_.preferencesAction, &QAction::triggered, this,
            [this] { runModal([this] { return int(dialogs_.preferences.Execute(settings_)); }); });
    connect(ui_.extractAction, &QAction::triggered, this, [this] { onExtract(); });
    connect(ui_.checkAction, &QAction::triggered, this, [this] { dialogs_.results.runCheck(project()); });
    connect(ui_.helpContentsAction, &QAction::triggered, this, [this] { onHelpContents(); });
    connect(ui_.aboutAction, &QAction::triggered, this, [this] { runModal([this] { return dialogs_.about.exec(); }); });
    connect(ui_.quickPick, &QComboBox::activated, this, [this] { onQuickPick(); });
    connect(ui_.hideButton, &QToolButton::clicked, this,
            [this](bool down) { applyRegionCommand(down ? RegionCommand::Hide : RegionCommand::Show); });
    // A checked hide item shows the region again; Qt has already toggled the
    // check mark when the item reports its click.
    for (QAction* hide : {ui_.hideAction, ui_.regionHideAction})
        connect(hide, &QAction::triggered, this,
                [this](bool nowChecked) { applyRegionCommand(nowChecked ? RegionCommand::Hide : RegionCommand::Show); });
    connect(&dialogs_.extraction, &ExtractionDialog::switchesChanged, this,
            [this](bool clips, bool backgrounds) { document_.setExtractionSwitches({clips, backgrounds}); });
}

void MainWindow::connectCanvas()
{
    connect(canvas_, &FrameCanvas::statusChanged, this,
            [this](StatusPanel panel, const QString& text) { setStatus(panel, text); });
    connect(canvas_, &FrameCanvas::bandDrawn, this, [this](const Rect& band) { addRegion(band); });
    connect(canvas_, &FrameCanvas::regionMenuRequested, this,
            [this](const QPoint& globalPos) { ui_.regionMenu->popup(globalPos); });
    connect(canvas_, &FrameCanvas::regionDoubleClicked, this, [this] { onRegionProperties(); });
}

bool MainWindow::showPaintAll() const
{
    return canvas_->showPaintAll();
}

void MainWindow::onShowPaintAction()
{
    canvas_->setShowPaintAll(!canvas_->showPaintAll());
    ui_.showPaintButton->setChecked(canvas_->showPaintAll());
    ui_.showPaintAction->setChecked(canvas_->showPaintAll());
}

void MainWindow::onShowPaintButton()
{
    canvas_->setShowPaintAll(ui_.showPaintButton->isChecked());
    ui_.showPaintAction->setChecked(canvas_->showPaintAll());
}

void MainWindow::onLockLayout()
{
    document_.setLockLayout(!project().LockObj);
}

void MainWindow::onQuickPick()
{
    const int index = ui_.quickPick->currentIndex();
    document_.changeSelection({SelectionOp::Kind::Pick, index});
    showCurrentGeometry();
    ui_.canvasScroll->setFocus();
}

void MainWindow::applyRegionCommand(RegionCommand command)
{
    if (!animating_)
        document_.applyRegionCommand(command);
}

void MainWindow::showAdjacentFrame(FrameStep step)
{
    canvas_->showFrame(step);
    applyMenuState(MenuStateFor(MenuContextOf(document_, animating_)));
}

void MainWindow::onExtract()
{
    if (!ExtractionAllowed(this, project()))
        return;
    runModal([this] { return dialogs_.extraction.Open(project()); });
}

void MainWindow::onHelpContents()
{
    helpRouter_->ShowTopic("topic10");
}

}  // namespace tolv::gui
