#include "gui/mainwindow/project_session.h"

#include "document/document.h"
#include "gui/common/message_box.h"
#include "gui/common/project_file_dialogs.h"
#include "gui/common/user_operation.h"
#include "gui/mainwindow/recovery_keeper.h"
#include "platform/errors.h"
#include "platform/io/files.h"
#include "project/project_file.h"
#include "project/recovery.h"
#include "settings/settings.h"

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace tolv::gui {

namespace {

constexpr const char* DefaultProjectName = "Noname.qvl";

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
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

ProjectSession::ProjectSession(Document& document, Settings& settings, QWidget& window,
                               const std::string& recoveryFolder, Tell tell)
    : QObject(&window), document_(document), settings_(settings), window_(window),
      recovery_(std::make_unique<RecoveryKeeper>(document, recoveryFolder, std::move(tell)))
{}

ProjectSession::~ProjectSession() = default;

void ProjectSession::newProject()
{
    RunUserOperation(&window_, [this] {
        if (settleUnsavedEdits("Save current project?"))
            createNewProject(true);
    });
}

void ProjectSession::open()
{
    const QString path = ChooseProjectToOpen(&window_, dialogFolder());
    if (path.isEmpty())
        return;
    rememberDialogFolder(path);
    openProject(path.toStdString());
}

void ProjectSession::openProject(const std::string& path)
{
    RunUserOperation(&window_, [&] {
        // Read once, and refused before any question if it is no project.
        const ProjectFileBytes file = ReadProjectBytes(path);
        CheckProjectText(path, file.Bytes);
        if (mayOpenHere(path) && settleUnsavedEdits("Save project edits?"))
            loadProject(path, file);
    });
}

bool ProjectSession::save()
{
    bool saved = false;
    return RunUserOperation(&window_, [&] { saved = saveProjectFile(); }) && saved;
}

bool ProjectSession::saveAs()
{
    const Project& project = document_.project();
    const QString path = ChooseProjectToSaveAs(&window_, Q(project.ProjectFolder), Q(project.ProjectFileName));
    if (path.isEmpty())
        return false;
    rememberDialogFolder(path);
    return RunUserOperation(&window_, [&] { saveProjectAs(path.toStdString()); });
}

void ProjectSession::openFirst(const std::string& path)
{
    // A file that cannot be opened is reported; the default project opens instead.
    const bool opened = !path.empty() && FileExists(path) && mayOpenHere(path)
                        && RunUserOperation(&window_, [&] { loadProject(path); });
    if (!opened)
        RunUserOperation(&window_, [this] { createNewProject(false); });
}

bool ProjectSession::settleUnsavedEdits(const QString& question)
{
    if (!document_.project().Modified)
        return true;
    switch (ShowMessage(&window_, MsgKind::Confirm, question, MsgButtons::YesNoCancel)) {
    case MsgResult::Yes:
        return save();
    case MsgResult::No:
        recovery_->discard();
        return true;
    default:
        return false;
    }
}

void ProjectSession::keepUnsavedEdits()
{
    recovery_->writeNow();
}

bool ProjectSession::saveProjectFile()
{
    const Project& project = document_.project();
    if (project.ReadIncompletely()) {
        const QString question = Q(IncompleteReadWarning(project) + ". Save over " + project.ProjectFileName + "?");
        switch (ShowMessage(&window_, MsgKind::Confirm, question, MsgButtons::YesSaveAsCancel)) {
        case MsgResult::Yes:
            break;
        case MsgResult::SaveAs:
            return saveAs();
        default:
            return false;
        }
    }
    try {
        document_.save();
    } catch (const FileChangedError&) {
        const QString question = Q(project.ProjectFileName + " was changed on disk since it was opened. Overwrite it?");
        switch (ShowMessage(&window_, MsgKind::Confirm, question, MsgButtons::OverwriteReloadCancel)) {
        case MsgResult::Overwrite:
            document_.save(Document::SaveOver::AnyFile);
            break;
        case MsgResult::Reload:
            // The edits are given up as a No to "Save project edits?" gives them up.
            recovery_->discard();
            loadProject(project.ProjectFilePath());
            return true;
        default:
            return false;
        }
    }
    rememberProject();
    return true;
}

void ProjectSession::saveProjectAs(const std::string& path)
{
    // Saved under a name of its own, a project made with New is captioned as
    // an opened one.
    createdWithNew_ = false;
    document_.saveAs(FolderPart(path), NamePart(path));
    rememberProject();
    warnOfMissingFrames();
}

void ProjectSession::warnOfMissingFrames()
{
    const Project& project = document_.project();
    const QStringList missing = MissingFrameFiles(project);
    if (!missing.isEmpty())
        ShowMessage(&window_, MsgKind::Warning,
                    Q("Animation frame files missing in " + project.ProjectFolder + ": ") + missing.join(", ") + ".");
}

void ProjectSession::createNewProject(bool interactive)
{
    std::string name = DefaultProjectName;
    // The program folder ends in a separator, so its folder part is itself.
    std::string folder = FolderPart(settings_.ProgramFolder);
    if (interactive) {
        const QString path = ChooseProjectToCreate(&window_, dialogFolder(), DefaultProjectName);
        if (path.isEmpty())
            return;
        rememberDialogFolder(path);
        name = NamePart(path.toStdString());
        folder = FolderPart(path.toStdString());
        // Only a project file may be replaced by the new project.
        CheckProjectFile(path.toStdString());
        if (FileExists(JoinPath(folder, name))
            && ShowMessage(&window_, MsgKind::Information, Q("Overwrite existing file " + name + "?"),
                           MsgButtons::YesNo)
                   == MsgResult::No)
            return;
    } else if (FileExists(JoinPath(folder, name))) {
        // Declined, the default project leaves this window nothing to show.
        if (mayOpenHere(JoinPath(folder, name)))
            loadProject(JoinPath(folder, name));
        else
            QTimer::singleShot(0, &window_, &QWidget::close);
        return;
    }

    createdWithNew_ = true;
    document_.newProject(folder, name);
    emit projectShown();
    saveProjectFile();
    if (name != DefaultProjectName
        && ShowMessage(&window_, MsgKind::Information, "Do you want to define your background frames now?",
                       MsgButtons::YesNo)
               == MsgResult::Yes)
        emit frameSetupWanted();
}

QString ProjectSession::caption() const
{
    const std::string& name = document_.project().ProjectFileName;
    return Q(createdWithNew_ ? "Tolv [" + name + "]" : "Tolv - " + name);
}

void ProjectSession::loadProject(const std::string& path)
{
    loadProject(path, ReadProjectBytes(path));
}

void ProjectSession::loadProject(const std::string& path, const ProjectFileBytes& file)
{
    createdWithNew_ = false;
    const LoadResult result = document_.load(path, file);
    emit projectShown();
    rememberProject();
    if (result.FramesMissing)
        ShowMessage(&window_, MsgKind::Warning, "Animation frame files missing.");
    if (document_.project().ReadIncompletely())
        ShowMessage(&window_, MsgKind::Warning, Q(IncompleteReadWarning(document_.project())));
    offerRecovery();
}

bool ProjectSession::mayOpenHere(const std::string& path)
{
    return !recovery_->openElsewhere(path)
           || ShowMessage(&window_, MsgKind::Confirm,
                          Q(NamePart(path) + " is open in another Tolvane window. Open it here too?"),
                          MsgButtons::YesNo)
                  == MsgResult::Yes;
}

// Newest first; each is taken or refused, and those that cannot be read are
// set aside with a word, so that no edits are lost without the user knowing.
void ProjectSession::offerRecovery()
{
    const std::string name = document_.project().ProjectFileName;
    for (const RecoveryOffer& offer : recovery_->leftBehind()) {
        Project recovered;
        try {
            LoadRecovery(recovered, recovery_->folder().pathOf(offer.Name), document_.project().ProjectFilePath());
        } catch (const TolvError&) {
            const std::string aside = SetRecoveryAside(recovery_->folder(), offer.Name);
            ShowMessage(&window_, MsgKind::Warning,
                        Q("The unsaved edits of " + name + " cannot be read"
                          + (aside.empty() ? std::string(".") : "; they are kept in " + aside + ".")));
            continue;
        }
        const QString when = QDateTime::fromSecsSinceEpoch(offer.WrittenAt).toString("yyyy-MM-dd HH:mm:ss");
        const QString question = Q("Recover unsaved edits of " + name + " from ") + when + "?"
                                 + (offer.ProjectNewer ? " The project file was saved after them." : "");
        if (ShowMessage(&window_, MsgKind::Confirm, question, MsgButtons::YesNo) == MsgResult::Yes) {
            document_.loadRecovered(std::move(recovered));
            recovery_->adopt(offer);
            return;
        }
        recovery_->drop(offer);
    }
}

void ProjectSession::buildRecentMenu(QMenu* menu)
{
    for (std::size_t slot = 0; slot < MaxRecentProjects; ++slot) {
        QAction* item = menu->addAction(QString());
        item->setObjectName(QString("recentProject%1").arg(slot + 1));
        connect(item, &QAction::triggered, this, [this, item] { openProject(item->data().toString().toStdString()); });
        recentItems_.push_back(item);
    }
    menu->addSeparator();
    clearRecentAction_ = menu->addAction("Clear List");
    clearRecentAction_->setObjectName("clearRecentAction");
    connect(clearRecentAction_, &QAction::triggered, this, [this] { clearRecentProjects(); });
    // Files come and go while the program runs.
    connect(menu, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    fillRecentMenu();
}

void ProjectSession::fillRecentMenu()
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

void ProjectSession::clearRecentProjects()
{
    settings_.RecentProjects.clear();
    fillRecentMenu();
}

void ProjectSession::rememberProject()
{
    AddRecentProject(settings_, document_.project().ProjectFilePath());
    fillRecentMenu();
}

QString ProjectSession::dialogFolder() const
{
    return Q(settings_.LastFolder.empty() ? settings_.ProjectsRoot : settings_.LastFolder);
}

void ProjectSession::rememberDialogFolder(const QString& chosenPath)
{
    settings_.LastFolder = FolderPart(chosenPath.toStdString());
}

}  // namespace tolv::gui
