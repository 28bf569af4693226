// The File menu's habits: Save As, the recent projects, project files dropped
// on the window, the window's place between runs and the folder the project
// file dialogs start in.
#include "gui/mainwindow/main_window.h"

#include "gui/common/message_box.h"
#include "gui/common/project_file_dialogs.h"
#include "gui/common/user_operation.h"
#include "platform/files.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace tolv::gui {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The first local file among the dragged URLs; empty when there is none.
QString LocalFileOf(const QMimeData& data)
{
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

QString RecentItemText(std::size_t slot, const std::string& path)
{
    return QString("&%1 %2").arg(slot + 1).arg(Q(path).replace("&", "&&"));
}

// Frames are named relative to the project folder, so a project saved into
// another folder finds only the frames that are there too.
QStringList MissingFrameFiles(const Project& project)
{
    QStringList missing;
    for (const std::string& name : project.FrameNames)
        if (!FileExists(project.FramePath(name)) && !missing.contains(Q(name)))
            missing.append(Q(name));
    return missing;
}

}  // namespace

void MainWindow::connectFileHabits()
{
    connect(saveAsAction_, &QAction::triggered, this, [this] { onSaveAs(); });
    setAcceptDrops(true);
}

bool MainWindow::onSaveAs()
{
    const QString path = ChooseProjectToSaveAs(this, Q(project().ProjectFolder), Q(project().ProjectFileName));
    if (path.isEmpty())
        return false;
    rememberDialogFolder(path);
    return RunUserOperation(this, [&] { saveProjectAs(path.toStdString()); });
}

void MainWindow::saveProjectAs(const std::string& path)
{
    document_.saveAs(FolderPart(path), NamePart(path));
    rememberProject();
    warnOfMissingFrames();
}

void MainWindow::warnOfMissingFrames()
{
    const QStringList missing = MissingFrameFiles(project());
    if (!missing.isEmpty())
        ShowMessage(this, MsgKind::Warning,
                    Q("Animation frame files missing in " + project().ProjectFolder + ": ") + missing.join(", ") + ".");
}

void MainWindow::buildRecentMenu()
{
    for (std::size_t slot = 0; slot < MaxRecentProjects; ++slot) {
        QAction* item = recentMenu_->addAction(QString());
        item->setObjectName(QString("recentProject%1").arg(slot + 1));
        connect(item, &QAction::triggered, this, [this, item] { openProject(item->data().toString().toStdString()); });
        recentItems_.push_back(item);
    }
    recentMenu_->addSeparator();
    clearRecentAction_ = recentMenu_->addAction("Clear List");
    clearRecentAction_->setObjectName("clearRecentAction");
    connect(clearRecentAction_, &QAction::triggered, this, [this] { clearRecentProjects(); });
    // Files come and go while the program runs.
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    recentMenu_->installEventFilter(this);
    fillRecentMenu();
}

void MainWindow::fillRecentMenu()
{
    const std::vector<std::string>& recent = settings_.RecentProjects;
    for (std::size_t slot = 0; slot < recentItems_.size(); ++slot) {
        QAction* item = recentItems_[slot];
        item->setVisible(slot < recent.size());
        if (slot >= recent.size())
            continue;
        item->setText(RecentItemText(slot, recent[slot]));
        item->setData(Q(recent[slot]));
        item->setEnabled(FileExists(recent[slot]));
    }
    clearRecentAction_->setEnabled(!recent.empty());
}

void MainWindow::clearRecentProjects()
{
    settings_.RecentProjects.clear();
    fillRecentMenu();
}

void MainWindow::rememberProject()
{
    AddRecentProject(settings_, project().ProjectFilePath());
    fillRecentMenu();
}

QString MainWindow::dialogFolder() const
{
    return Q(settings_.LastFolder.empty() ? settings_.ProjectsRoot : settings_.LastFolder);
}

void MainWindow::rememberDialogFolder(const QString& chosenPath)
{
    settings_.LastFolder = FolderPart(chosenPath.toStdString());
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
    QTimer::singleShot(0, this, [this, path = path.toStdString()] { openProject(path); });
}

void MainWindow::placeWindowOnce()
{
    if (std::exchange(windowPlaced_, true) || !settings_.Window)
        return;
    const WindowPlace& place = *settings_.Window;
    const QRect geometry(place.Left, place.Top, place.Width, place.Height);
    // A place on a screen that is gone would leave the window out of sight,
    // and one larger than the screen its edges.
    if (const QScreen* screen = QGuiApplication::screenAt(geometry.center()))
        setGeometry(QRect(geometry.topLeft(), geometry.size().boundedTo(screen->availableSize())));
}

// Taken as the settings are written. Before the first project placed it,
// the window is where start-up put it, not where the user wants it.
void MainWindow::rememberWindowPlace()
{
    if (!windowPlaced_)
        return;
    const QRect geometry = normalGeometry();
    settings_.Window = WindowPlace{geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

}  // namespace tolv::gui
