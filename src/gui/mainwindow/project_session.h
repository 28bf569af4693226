#pragma once

#include "project/project_identity.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace tolv {
class Document;
struct Settings;
}  // namespace tolv

namespace tolv::gui {

class RecoveryKeeper;

// The project's lifecycle in a window: New, Open, Save and Save As, the
// recent projects, the folder the file dialogs start in, the offer of
// unsaved edits a crash left, and the save question before edits would be
// dropped. Neither what could not be read nor what another program wrote
// since is lost without the user's word. The commands of the File menu show
// the errors of the file layer; the other calls raise them to the caller.
class ProjectSession : public QObject {
    Q_OBJECT
public:
    // Shows a line in the status bar.
    using Tell = std::function<void(const QString&)>;

    // `window` is the parent of the questions; an empty recovery folder
    // keeps no recovery files.
    ProjectSession(Document& document, Settings& settings, QWidget& window, const std::string& recoveryFolder,
                   Tell tell);
    ~ProjectSession() override;

    // The File menu.
    void newProject();
    void open();
    // Opens a project file after the save question; a file that is not a
    // project is refused before anything changes.
    void openProject(const std::string& path);
    // False when the save failed or the user cancelled it.
    bool save();
    // Saves under a name the user chooses, where the project lives from
    // then on; false when cancelled or failed.
    bool saveAs();

    // The first project of the window: `path` when it can be opened here,
    // else the default project.
    void openFirst(const std::string& path);
    void createNewProject(bool interactive);
    void loadProject(const std::string& path);
    void loadProject(const std::string& path, const ProjectFileBytes& file);
    // Asks `question` about unsaved edits before they would be dropped.
    // False when the user cancels or the save fails: the edits stay.
    bool settleUnsavedEdits(const QString& question);
    // The process is being ended: the unsaved edits are written now.
    void keepUnsavedEdits();

    // Fills `menu` with the recent projects and Clear List.
    void buildRecentMenu(QMenu* menu);
    // A project made with New is captioned apart until it is saved under a
    // name of its own.
    bool createdWithNew() const { return createdWithNew_; }
    QString caption() const;

signals:
    // A project is on show, opened or made with New.
    void projectShown();
    // A new project whose frames the user wants to define now.
    void frameSetupWanted();

private:
    // Saves the project file. Asks first about a project read incompletely
    // (Yes, Save As..., Cancel), and about a file changed on disk since it
    // was opened (Overwrite, Reload, Cancel). False when the user cancelled;
    // true also after Reload, which settles the edits by giving them up.
    bool saveProjectFile();
    void saveProjectAs(const std::string& path);
    void warnOfMissingFrames();
    // False when another window has the project open and the user does not
    // want it open here too.
    bool mayOpenHere(const std::string& path);
    // Offers the edits that crashed windows left of the project just opened.
    void offerRecovery();
    void fillRecentMenu();
    void clearRecentProjects();
    // The open project's file becomes the most recent one.
    void rememberProject();
    QString dialogFolder() const;
    void rememberDialogFolder(const QString& chosenPath);

    Document& document_;
    Settings& settings_;
    QWidget& window_;
    // Destroyed before the document it follows.
    std::unique_ptr<RecoveryKeeper> recovery_;
    bool createdWithNew_ = false;
    // One item per recent slot; those beyond the list are hidden.
    std::vector<QAction*> recentItems_;
    QAction* clearRecentAction_ = nullptr;
};

}  // namespace tolv::gui
