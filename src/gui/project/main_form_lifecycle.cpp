// The project's lifecycle: New, Open, Save, the default project at start-up,
// and the frame set-up that sizes the canvas and the window.
#include "gui/project/main_form.h"

#include "gui/app/message_box.h"
#include "gui/app/user_operation.h"
#include "gui/app/windows.h"
#include "gui/dialogs/bgrnd_options.h"
#include "gui/editor/backgrnd.h"
#include "gui/project/project_file_dialogs.h"
#include "gui/project/recovery_keeper.h"
#include "gui/project/tool_glyphs.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "project/project_file.h"
#include "project/recovery.h"
#include "project/setup_backgrounds.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace tolv::gui {

namespace {

constexpr const char* DefaultProjectName = "Noname.qvl";

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

void TMainForm::New1Click()
{
    RunUserOperation(this, [this] {
        if (SettleUnsavedEdits("Save current project?"))
            CreateNewFile(true);
    });
}

void TMainForm::Open1Click()
{
    const QString path = ChooseProjectToOpen(this, Q(settings_.ProjectsRoot));
    if (!path.isEmpty())
        OpenProject(path.toStdString());
}

void TMainForm::OpenProject(const std::string& path)
{
    RunUserOperation(this, [&] {
        CheckProjectFile(path);
        if (SettleUnsavedEdits("Save project edits?"))
            Loadfile(path);
    });
}

bool TMainForm::Save1Click()
{
    return RunUserOperation(this, [this] { SaveProjectFile(); });
}

bool TMainForm::SettleUnsavedEdits(const QString& question)
{
    if (!project_.Modified)
        return true;
    switch (ShowMessage(this, MsgKind::Confirm, question, MsgButtons::YesNoCancel)) {
    case MsgResult::Yes:
        return Save1Click();
    case MsgResult::No:
        recovery_->Discard();
        return true;
    default:
        return false;
    }
}

void TMainForm::SaveProjectFile()
{
    SaveProject(project_);
    recovery_->Discard();
}

void TMainForm::CreateNewFile(bool interactive)
{
    std::string name = DefaultProjectName;
    // The program folder ends in a separator, so its folder part is itself.
    std::string folder = FolderPart(settings_.ProgramFolder);
    if (interactive) {
        const QString path = ChooseProjectToCreate(this, Q(settings_.ProjectsRoot), DefaultProjectName);
        if (path.isEmpty())
            return;
        name = NamePart(path.toStdString());
        folder = FolderPart(path.toStdString());
        // Only a project file may be replaced by the new project.
        CheckProjectFile(path.toStdString());
        if (FileExists(JoinPath(folder, name))
            && ShowMessage(this, MsgKind::Information, Q("Overwrite existing file " + name + "?"), MsgButtons::YesNo)
                   == MsgResult::No)
            return;
    } else if (FileExists(JoinPath(folder, name))) {
        Loadfile(JoinPath(folder, name));
        return;
    }

    project_.ProjectFileName = name;
    project_.ProjectFolder = folder;
    backgrnd_->FreeRegions();
    ui_.qPick->clear();
    project_.ResetForNew();
    try {
        SaveProjectFile();
    } catch (const TolvError&) {
        ShowNewProject();
        throw;
    }
    if (name != DefaultProjectName
        && ShowMessage(this, MsgKind::Information, "Do you want to define your background frames now?",
                       MsgButtons::YesNo)
               == MsgResult::Yes) {
        ProjectUpdated(true);
        project_.Modified = true;
    }
    ShowNewProject();
}

void TMainForm::ShowNewProject()
{
    setWindowTitle(Q("Tolv [" + project_.ProjectFileName + "]"));
    backgrnd_->ShowFrame(+1);
    backgrnd_->UpdateFrameMenus();
}

void TMainForm::Loadfile(const std::string& path)
{
    // Resetting the canvas empties the project: a refused file must not.
    CheckProjectFile(path);
    backgrnd_->ResetCanvas();
    LoadResult result;
    try {
        result = tolv::Loadfile(project_, path);
    } catch (const TolvError&) {
        ShowLoadedProject();
        throw;
    }
    ShowLoadedProject();
    if (result.FramesMissing)
        ShowMessage(this, MsgKind::Warning, "Animation frame files missing.");
    OfferRecovery();
}

void TMainForm::OfferRecovery()
{
    if (recovery_->Folder().empty())
        return;
    const auto offer = FindRecovery(recovery_->Folder(), project_.ProjectFilePath());
    if (!offer)
        return;
    const QString when = QDateTime::fromSecsSinceEpoch(offer->WrittenAt).toString("yyyy-MM-dd HH:mm:ss");
    const QString question = Q("Recover unsaved edits of " + project_.ProjectFileName + " from ") + when + "?";
    if (ShowMessage(this, MsgKind::Confirm, question, MsgButtons::YesNo) == MsgResult::Yes)
        LoadRecoveredEdits(offer->Path);
    else
        recovery_->Discard();
}

void TMainForm::LoadRecoveredEdits(const std::string& recoveryPath)
{
    backgrnd_->ResetCanvas();
    try {
        LoadRecovery(project_, recoveryPath, project_.ProjectFilePath());
    } catch (const TolvError&) {
        ShowLoadedProject();
        const std::string aside = SetRecoveryAside(recoveryPath);
        ShowMessage(this, MsgKind::Warning,
                    Q("The unsaved edits of " + project_.ProjectFileName + " cannot be read"
                      + (aside.empty() ? std::string(".") : "; they are kept in " + aside + ".")));
        return;
    }
    ShowLoadedProject();
}

void TMainForm::ShowLoadedProject()
{
    FitWindowToCanvas();
    backgrnd_->AdoptRegions();
    backgrnd_->ShowFrame(+1);
    backgrnd_->RenumberRegions();
    backgrnd_->FillQuickPick();
    SetLockGlyph();
    backgrnd_->UpdateFrameMenus();
    backgrnd_->ShowNoSelection();
    UpdateGUI();
    setWindowTitle(Q("Tolv - " + project_.ProjectFileName));
}

bool TMainForm::SetupBackgrounds()
{
    const bool missing = tolv::SetupBackgrounds(project_);
    FitWindowToCanvas();
    return missing;
}

void TMainForm::FitWindowToCanvas()
{
    backgrnd_->setFixedSize(project_.FrameAreaWidth, project_.FrameAreaHeight);
    // The window's own frame, menu, tool bar and status bar take the place
    // of the fixed margins, so the frame area shows whole where the screen
    // allows it.
    const int chrome = menuBar()->sizeHint().height() + ui_.tools->sizeHint().height() + statusBar()->sizeHint().height();
    QSize size(project_.FrameAreaWidth, project_.FrameAreaHeight + chrome);
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
}

bool TMainForm::ProjectUpdated(bool newProject)
{
    BgrndOptions->FillFromProject(project_, newProject);
    if (BgrndOptions->exec() != QDialog::Accepted)
        return false;
    project_.Modified = true;
    if (newProject) {
        backgrnd_->FreeRegions();
        ui_.qPick->clear();
    }
    BgrndOptions->StoreOptions(project_);
    project_.CurrentFrame = 1;
    SetupBackgrounds();
    backgrnd_->ShowFrame(0);
    backgrnd_->ShowNoSelection();
    UpdateGUI();
    return true;
}

void TMainForm::UpdateGUI()
{
    ui_.Locklayout1->setChecked(project_.LockObj);
}

void TMainForm::SetLockGlyph()
{
    ui_.tblock->setIcon(ToolGlyphIcon(project_.LockObj ? ToolGlyph::Locked : ToolGlyph::Unlocked));
}

}  // namespace tolv::gui
