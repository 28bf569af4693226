// The project's lifecycle: New, Open, Save, the default project at start-up,
// and the frame set-up that sizes the canvas.
#include "gui/mainwindow/main_window.h"

#include "gui/common/message_box.h"
#include "gui/common/project_file_dialogs.h"
#include "gui/common/user_operation.h"
#include "gui/dialogs/project_setup_dialog.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/recovery_keeper.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "project/project_file.h"
#include "project/recovery.h"

#include <QDateTime>
#include <QTimer>

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
        // Read once, and refused before any question if it is no project.
        const ProjectFileBytes file = ReadProjectBytes(path);
        CheckProjectText(path, file.Bytes);
        if (mayOpenHere(path) && settleUnsavedEdits("Save project edits?"))
            loadProject(path, file);
    });
}

bool MainWindow::onSave()
{
    bool saved = false;
    return RunUserOperation(this, [&] { saved = saveProjectFile(); }) && saved;
}

bool MainWindow::settleUnsavedEdits(const QString& question)
{
    if (!project().Modified)
        return true;
    switch (ShowMessage(this, MsgKind::Confirm, question, MsgButtons::YesNoCancel)) {
    case MsgResult::Yes:
        return onSave();
    case MsgResult::No:
        recovery_->discard();
        return true;
    default:
        return false;
    }
}

// Neither what could not be read nor what another program wrote since is
// lost without the user's word.
bool MainWindow::saveProjectFile()
{
    if (project().ReadIncompletely()) {
        const QString question = Q(IncompleteReadWarning(project()) + ". Save over " + project().ProjectFileName + "?");
        switch (ShowMessage(this, MsgKind::Confirm, question, MsgButtons::YesSaveAsCancel)) {
        case MsgResult::Yes:
            break;
        case MsgResult::SaveAs:
            return onSaveAs();
        default:
            return false;
        }
    }
    try {
        document_.save();
    } catch (const FileChangedError&) {
        const QString question = Q(project().ProjectFileName + " was changed on disk since it was opened. Overwrite it?");
        switch (ShowMessage(this, MsgKind::Confirm, question, MsgButtons::OverwriteReloadCancel)) {
        case MsgResult::Overwrite:
            document_.save(Document::SaveOver::AnyFile);
            break;
        case MsgResult::Reload:
            // The edits are given up as a No to "Save project edits?" gives them up.
            recovery_->discard();
            loadProject(project().ProjectFilePath());
            return true;
        default:
            return false;
        }
    }
    rememberProject();
    return true;
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
        // Declined, the default project leaves this window nothing to show.
        if (mayOpenHere(JoinPath(folder, name)))
            loadProject(JoinPath(folder, name));
        else
            QTimer::singleShot(0, this, &QWidget::close);
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
    loadProject(path, ReadProjectBytes(path));
}

void MainWindow::loadProject(const std::string& path, const ProjectFileBytes& file)
{
    createdWithNew_ = false;
    const LoadResult result = document_.load(path, file);
    placeWindowOnce();
    rememberProject();
    if (result.FramesMissing)
        ShowMessage(this, MsgKind::Warning, "Animation frame files missing.");
    if (project().ReadIncompletely())
        ShowMessage(this, MsgKind::Warning, Q(IncompleteReadWarning(project())));
    offerRecovery();
}

bool MainWindow::mayOpenHere(const std::string& path)
{
    return !recovery_->openElsewhere(path)
           || ShowMessage(this, MsgKind::Confirm,
                          Q(NamePart(path) + " is open in another Tolvane window. Open it here too?"),
                          MsgButtons::YesNo)
                  == MsgResult::Yes;
}

// Newest first; each is taken or refused, and those that cannot be read are
// set aside with a word, so that no edits are lost without the user knowing.
void MainWindow::offerRecovery()
{
    const std::string name = project().ProjectFileName;
    for (const RecoveryOffer& offer : recovery_->leftBehind()) {
        Project recovered;
        try {
            LoadRecovery(recovered, recovery_->folder().pathOf(offer.Name), project().ProjectFilePath());
        } catch (const TolvError&) {
            const std::string aside = SetRecoveryAside(recovery_->folder(), offer.Name);
            ShowMessage(this, MsgKind::Warning,
                        Q("The unsaved edits of " + name + " cannot be read"
                          + (aside.empty() ? std::string(".") : "; they are kept in " + aside + ".")));
            continue;
        }
        const QString when = QDateTime::fromSecsSinceEpoch(offer.WrittenAt).toString("yyyy-MM-dd HH:mm:ss");
        const QString question = Q("Recover unsaved edits of " + name + " from ") + when + "?"
                                 + (offer.ProjectNewer ? " The project file was saved after them." : "");
        if (ShowMessage(this, MsgKind::Confirm, question, MsgButtons::YesNo) == MsgResult::Yes) {
            document_.loadRecovered(std::move(recovered));
            recovery_->adopt(offer);
            return;
        }
        recovery_->drop(offer);
    }
}

void MainWindow::fitCanvasToFrames()
{
    canvas_->setFrameArea(project().FrameAreaWidth, project().FrameAreaHeight);
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
