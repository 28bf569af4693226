#include "gui/mainwindow/main_window.h"

#include "gui/common/help_router.h"
#include "gui/common/tool_tip_pass_through.h"
#include "gui/common/user_operation.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/action_map.h"
#include "gui/mainwindow/animation_player.h"
#include "gui/mainwindow/canvas_view.h"
#include "gui/mainwindow/key_preview.h"
#include "gui/mainwindow/project_session.h"
#include "gui/mainwindow/region_commands.h"
#include "gui/panels/frames_panel.h"
#include "gui/panels/properties_panel.h"
#include "gui/panels/regions_panel.h"
#include "gui/panels/workspace.h"
#include "platform/errors.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace tolv::gui {

namespace {

// The first local file among the dragged URLs; empty when there is none.
QString LocalFileOf(const QMimeData& data)
{
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

}  // namespace

MainWindow::MainWindow(const StartupOptions& startup, const WindowDialogs& dialogs)
    : startup_(startup), dialogs_(dialogs)
{
    setObjectName("mainWindow");
    setWindowTitle("Quillard");
    ui_ = BuildWindowControls(*this);
    view_ = new CanvasView(document_, this);
    ui_.canvasScroll = view_;
    setCentralWidget(view_);
    player_ = new AnimationPlayer(canvas(), this);
    session_ = new ProjectSession(document_, settings_, *this, startup_.RecoveryFolder,
                                  [this](const QString& text) { setStatus(StatusPanel::Message, text); });
    session_->buildRecentMenu(ui_.recentMenu);
    commands_ = new RegionCommands(*this, {document_, canvas(), ui_, dialogs_.regionProperties, settings_, *player_,
                                           [this](const std::function<int()>& dialog) { return runModal(dialog); }});
    subscription_ = document_.subscribe([this](const DocumentChange& change) { refresh(change); });
    workspace_ = new Workspace(*this, *ui_.viewMenu);
    regionsPanel_ = new RegionsPanel(
        document_, [this] { commands_->properties(); }, this);
    workspace_->add(regionsPanel_, Qt::LeftDockWidgetArea);
    framesPanel_ = new FramesPanel(
        document_, [this](int position) { canvas().showFrameAt(position); },
        [this](int position) { commands_->toggleFrame(position); }, this);
    workspace_->add(framesPanel_, Qt::BottomDockWidgetArea);
    propertiesPanel_ = new PropertiesPanel(
        document_,
        {[this](Region record) { commands_->setProperties(std::move(record)); },
         [this](const RegionGeometry& geometry) { commands_->setGeometry(geometry); }},
        this);
    workspace_->add(propertiesPanel_, Qt::RightDockWidgetArea);
    helpRouter_ = std::make_unique<HelpRouter>();
    connectCommands();
    connectParts();
    new KeyPreview(*this, *commands_, canvas());
    new ToolTipPassThrough(this);
    setAcceptDrops(true);
    resize(743, 706);
    move(309, 186);
}

MainWindow::~MainWindow()
{
    // The canvas and the recovery keeper observe the document, which goes
    // before the window's children would.
    delete session_;
    delete view_;
    delete regionsPanel_;
    delete framesPanel_;
    delete propertiesPanel_;
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

FrameCanvas& MainWindow::canvas()
{
    return view_->canvas();
}

void MainWindow::setStatus(StatusPanel panel, const QString& text)
{
    QLabel* label = ui_.statusPanels.at(std::size_t(panel));
    label->setText(text);
    // A text longer than its panel can still be read whole.
    label->setToolTip(text);
}

QString MainWindow::statusText(int panel) const
{
    return ui_.statusPanels.at(std::size_t(panel))->text();
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
    helpRouter_->setHelpFolder(FindHelpFolder(QString::fromStdString(startup_.ExecutableFolder)));
    LoadDefaults(settings_);
    session_->openFirst(startup_.Arguments.isEmpty() ? std::string() : startup_.Arguments.first().toStdString());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A save that fails keeps the window open: the edits are not on disk.
    if (session_->settleUnsavedEdits("Save project edits?"))
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
    session_->keepUnsavedEdits();
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

// Drops follow the File menu, which rests during playback.
void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (ui_.fileMenu->menuAction()->isEnabled() && !LocalFileOf(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = LocalFileOf(*event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Open's questions wait until the drop is over, so that the program the
    // file came from is not kept waiting for the answers.
    QTimer::singleShot(0, this, [this, path = path.toStdString()] { session_->openProject(path); });
}

void MainWindow::placeWindowOnce()
{
    if (std::exchange(windowPlaced_, true))
        return;
    if (!settings_.Window) {
        makeRoomForPanels();
        return;
    }
    const WindowPlace& place = *settings_.Window;
    const QRect geometry(place.Left, place.Top, place.Width, place.Height);
    // A place on a screen that is gone would leave the window out of sight,
    // and one larger than the screen its edges.
    if (const QScreen* screen = QGuiApplication::screenAt(geometry.center()))
        setGeometry(QRect(geometry.topLeft(), geometry.size().boundedTo(screen->availableSize())));
    workspace_->arrange(settings_.Panels);
}

// A first start shows the panels around the canvas of the classic window,
// which they would leave a strip of: the window grows by their room, as far
// as the screen allows, and is centred on it.
void MainWindow::makeRoomForPanels()
{
    const QScreen* screen = this->screen();
    if (!screen || !workspace_->anyShown())
        return;
    const QRect available = screen->availableGeometry();
    QRect room(QPoint(), QSize(1240, 860).boundedTo(available.size()));
    room.moveCenter(available.center());
    setGeometry(room);
}

// Taken as the settings are written. Before the first project placed it,
// the window is where start-up put it, not where the user wants it.
void MainWindow::rememberWindowPlace()
{
    if (!windowPlaced_)
        return;
    const QRect geometry = normalGeometry();
    settings_.Window = WindowPlace{geometry.x(), geometry.y(), geometry.width(), geometry.height()};
    settings_.Panels = workspace_->arrangement();
}

}  // namespace tolv::gui
