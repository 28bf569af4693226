#include "gui/mainwindow/main_window.h"

#include "gui/common/help_router.h"
#include "gui/common/tool_tip_pass_through.h"
#include "gui/common/user_operation.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/key_preview.h"
#include "gui/mainwindow/recovery_keeper.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>

namespace tolv::gui {

MainWindow::MainWindow(const StartupOptions& startup, const WindowDialogs& dialogs)
    : startup_(startup), dialogs_(dialogs)
{
    setObjectName("mainWindow");
    setWindowTitle("Quillard");
    buildMenus();
    buildRegionMenu();
    buildToolBar();
    buildStatusBar();

    ui_.canvasScroll = new QScrollArea(this);
    ui_.canvasScroll->setObjectName("canvasScroll");
    ui_.canvasScroll->setFrameShape(QFrame::NoFrame);
    ui_.canvasScroll->setWidgetResizable(false);
    ui_.canvasScroll->setFocusPolicy(Qt::StrongFocus);
    ui_.canvasScroll->viewport()->setCursor(Qt::CrossCursor);
    // The canvas hears the document first, so the window's refresh sees the
    // frame the canvas shows.
    canvas_ = new FrameCanvas(document_, ui_.canvasScroll);
    ui_.canvasScroll->setWidget(canvas_);
    canvas_->takeMarginPresses(ui_.canvasScroll->viewport());
    setCentralWidget(ui_.canvasScroll);
    subscription_ = document_.subscribe([this](const DocumentChange& change) { refresh(change); });

    helpRouter_ = std::make_unique<HelpRouter>();
    recovery_ = std::make_unique<RecoveryKeeper>(
        document_, startup_.RecoveryFolder, [this](const QString& text) { setStatus(StatusPanel::Message, text); });
    connectCommands();
    connectCanvas();
    connectView();
    buildAnimation();
    connectEditingCommands();
    new KeyPreview(*this);
    new ToolTipPassThrough(this);
    resize(743, 706);
    move(309, 186);
}

MainWindow::~MainWindow()
{
    // The canvas observes the document, which goes before the window's
    // children would.
    delete canvas_;
    document_.unsubscribe(subscription_);
    helpRouter_.reset();
    // Settings that were never read (the window was never shown) are not
    // written either.
    if (shown_)
        RunUserOperation(nullptr, [this] {
            rememberWindowPlace();
            SaveDefaults(settings_);
        });
}

void MainWindow::setStatus(StatusPanel panel, const QString& text)
{
    QLabel* label = panels_.at(std::size_t(panel));
    label->setText(text);
    // A text longer than its panel can still be read whole.
    label->setToolTip(text);
}

QString MainWindow::statusText(int panel) const
{
    return panels_.at(std::size_t(panel))->text();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // Once the window is on the screen, so that a message about the first
    // project appears over it.
    QTimer::singleShot(0, this, [this] { openFirstProject(); });
}

void MainWindow::openFirstProject()
{
    settings_.ProgramFolder = startup_.ProgramFolder;
    helpRouter_->SetHelpFolder(FindHelpFolder(QString::fromStdString(startup_.ExecutableFolder)));
    LoadDefaults(settings_);
    const std::string first = startup_.Arguments.isEmpty() ? std::string() : startup_.Arguments.first().toStdString();
    // A file that cannot be opened is reported; the default project opens instead.
    const bool opened = !first.empty() && FileExists(first) && mayOpenHere(first)
                        && RunUserOperation(this, [&] { loadProject(first); });
    if (!opened)
        RunUserOperation(this, [this] { createNewProject(false); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A save that fails keeps the window open: the edits are not on disk.
    if (settleUnsavedEdits("Save project edits?"))
        event->accept();
    else
        event->ignore();
}

void MainWindow::saveSession()
{
    if (shown_) {
        try {
            rememberWindowPlace();
            SaveDefaults(settings_);
        } catch (const TolvError&) {
            // Nobody is left to tell; the edits below matter more.
        }
    }
    recovery_->writeNow();
}

// F1 while one of the window's menus is open asks for the main window's
// topic; F1 anywhere else asks for nothing.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1
        && qobject_cast<QMenu*>(watched)) {
        onHelpContents();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tolv::gui
