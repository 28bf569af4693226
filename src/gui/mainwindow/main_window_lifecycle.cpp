// The project's lifecycle: New, Open, Save, the default project at start-up,
// and the frame set-up that sizes the canvas and the window.
#include "gui/mainwindow/main_window.h"

#include "gui/common/message_box.h"
#include "gui/common/project_file_dialogs.h"
#include "gui/common/user_operation.h"
#include "gui/dialogs/project_setup_dialog.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/geometry_bar.h"
#include "gui/mainwindow/recovery_keeper.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "project/project_file.h"
#include "project/recovery.h"

#include <QDateTime>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace tolv::gui {

namespace {

constexpr const char* DefaultProjectName = "Noname.qvl";

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

void MainWindow::onNew()
{
    RunUserOperation(this, [this] {
        if (settleUnsavedEdits("Save current project?"))
            createNewProject(true);
    });
}

void MainWindow::onOpen()
{
    const QString path = ChooseProjectToOpen(this, dialogFolder());
    if (path.isEmpty())
        return;
    rememberDialogFolder(path);
    openProject(path.toStdString());
}

void MainWindow::openProject(const std::string& path)
{
    RunUserOperation(this, [&] {
        CheckProjectFile(path);
        if (settleUnsavedEdits("Save project edits?"))
            loadProject(path);
    });
}

bool MainWindow::onSave()
{
    return RunUserOperation(this, [this] { saveProjectFile(); });
}

bool MainWindow::settleUnsavedEdits(const QString& question)
{
    if (!project().Modified)
        return true;
    switch (ShowMessage(this, MsgKind::Confirm, question, MsgButtons::YesNoCancel)) {
    case MsgResult::Yes:
        return onSave();
    case MsgResult::No:
        recovery_->Discard();
        return true;
    default:
        return false;
    }
}

void MainWindow::saveProjectFile()
{
    document_.save();
    recovery_->Discard();
    rememberProject();
}

void MainWindow::createNewProject(bool interactive)
{
    std::string name = DefaultProjectName;
    // The program folder ends in a separator, so its folder part is itself.
    std::string folder = FolderPart(settings_.ProgramFolder);
    if (interactive) {
        const QString path = ChooseProjectToCreate(this, dialogFolder(), DefaultProjectName);
        if (path.isEmpty())
            return;
        rememberDialogFolder(path);
        name = NamePart(path.toStdString());
        folder = FolderPart(path.toStdString());
        // Only a project file may be replaced by the new project.
        CheckProjectFile(path.toStdString());
        if (FileExists(JoinPath(folder, name))
            && ShowMessage(this, MsgKind::Information, Q("Overwrite existing file " + name + "?"), MsgButtons::YesNo)
                   == MsgResult::No)
            return;
    } else if (FileExists(JoinPath(folder, name))) {
        loadProject(JoinPath(folder, name));
        return;
    }

    createdWithNew_ = true;
    document_.newProject(folder, name);
    placeWindowOnce();
    saveProjectFile();
    if (name != DefaultProjectName
        && ShowMessage(this, MsgKind::Information, "Do you want to define your background frames now?",
                       MsgButtons::YesNo)
               == MsgResult::Yes)
        runProjectSetup(true);
}

void MainWindow::loadProject(const std::string& path)
{
    CheckProjectFile(path);
    createdWithNew_ = false;
    const LoadResult result = document_.load(path);
    placeWindowOnce();
    rememberProject();
    if (result.FramesMissing)
        ShowMessage(this, MsgKind::Warning, "Animation frame files missing.");
    offerRecovery();
}

void MainWindow::offerRecovery()
{
    if (recovery_->Folder().empty())
        return;
    const auto offer = FindRecovery(recovery_->Folder(), project().ProjectFilePath());
    if (!offer)
        return;
    const QString when = QDateTime::fromSecsSinceEpoch(offer->WrittenAt).toString("yyyy-MM-dd HH:mm:ss");
    const QString question = Q("Recover unsaved edits of " + project().ProjectFileName + " from ") + when + "?";
    if (ShowMessage(this, MsgKind::Confirm, question, MsgButtons::YesNo) == MsgResult::Yes)
        loadRecoveredEdits(offer->Path);
    else
        recovery_->Discard();
}

void MainWindow::loadRecoveredEdits(const std::string& recoveryPath)
{
    try {
        document_.loadRecovery(recoveryPath, project().ProjectFilePath());
    } catch (const TolvError&) {
        const std::string aside = SetRecoveryAside(recoveryPath);
        ShowMessage(this, MsgKind::Warning,
                    Q("The unsaved edits of " + project().ProjectFileName + " cannot be read"
                      + (aside.empty() ? std::string(".") : "; they are kept in " + aside + ".")));
    }
}

void MainWindow::fitWindowToCanvas()
{
    canvas_->setFrameArea(project().FrameAreaWidth, project().FrameAreaHeight);
    // The window's own frame, menu, tool bars and status bar take the place
    // of the fixed margins, so the frame area shows whole where the screen
    // allows it.
    const int chrome = menuBar()->sizeHint().height() + ui_.toolBar->sizeHint().height()
                       + ui_.geometryBar->sizeHint().height() + statusBar()->sizeHint().height();
    QSize size(canvas_->width(), canvas_->height() + chrome);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
}

bool MainWindow::runProjectSetup(bool newProject)
{
    ProjectSetupDialog& dialog = dialogs_.projectSetup;
    dialog.FillFromProject(project(), newProject);
    if (runModal([&dialog] { return dialog.exec(); }) != QDialog::Accepted)
        return false;
    document_.applyProjectSetup(dialog.Setup());
    return true;
}

}  // namespace tolv::gui
