#pragma once

#include "project/project.h"
#include "project/settings.h"

#include <QImage>
#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QKeyEvent;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QTimer;
class QToolBar;
class QToolButton;

namespace tolv {
struct KeyAction;
}

namespace tolv::gui {

class RecoveryKeeper;
class TBackgrnd;
class THelpRouter;

// What the program is started with. Tests give a temporary program folder so
// that nothing is written beside the test program.
struct StartupOptions {
    // Where the settings file and the default project live, with a trailing
    // separator: the program's folder, or the user's configuration folder
    // when the program's folder cannot be written.
    std::string ProgramFolder;
    // The folder of the program file; the help pages are found from there.
    std::string ExecutableFolder;
    // The command-line arguments after the program's name.
    QStringList Arguments;
    // Where unsaved edits are kept against a crash; empty keeps none.
    std::string RecoveryFolder;
};

// The main window's controls that commands and the canvas switch, under
// their system names (each widget's objectName is the same name).
struct MainControls {
    QToolBar* tools = nullptr;
    QComboBox* qPick = nullptr;
    QToolButton* tbhidden = nullptr;
    QToolButton* sb_ShowPaint = nullptr;
    QToolButton* tblock = nullptr;
    QToolButton* tbNudgeNum = nullptr;
    QToolButton* tbPrev = nullptr;
    QToolButton* tbNext = nullptr;
    QScrollArea* SB1 = nullptr;

    QMenu* File1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Preferences1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* Prop1 = nullptr;
    QAction* Hideobject1 = nullptr;
    QAction* LinkMenu = nullptr;
    QAction* Duplicate2 = nullptr;
    QAction* Delete2 = nullptr;
    QAction* PrevBak = nullptr;
    QAction* NextBak = nullptr;
    QAction* Animate1 = nullptr;
    QMenu* Project1 = nullptr;
    QAction* Options1 = nullptr;
    QAction* Locklayout1 = nullptr;
    QMenu* Extract1 = nullptr;
    QAction* Extractbitmapstodisk1 = nullptr;
    QAction* est1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* About1 = nullptr;

    QMenu* ObjContext = nullptr;
    QAction* Properties1 = nullptr;
    QAction* HideObj = nullptr;
    QAction* Duplicate1 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* Animate2 = nullptr;
};

// The program's main window: hosts the frame canvas in the scroll box SB1,
// the tool bar, the status bar, the main menu and the region context menu;
// owns the open project and the help router, and runs the project's
// lifecycle (start-up, New, Open, Save, Project Setup, close).
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // FormCreate: builds the controls, the canvas and the help router. The
    // first project opens (FormShow) once the window is first shown.
    explicit TMainForm(const StartupOptions& startup);
    // FormDestroy: writes the settings and releases the canvas.
    ~TMainForm() override;

    Project& project() { return project_; }
    TBackgrnd& Backgrnd() { return *backgrnd_; }
    THelpRouter& HelpRouter() { return *helpRouter_; }
    const MainControls& Ui() const { return ui_; }
    Settings& settings() { return settings_; }

    // Editor-wide flags that the canvas reads.
    bool ShowPaintAll = false;
    bool Animating = false;

    // Status bar panels 0 (pointer), 1 (geometry) and 2 (messages).
    void SetStatus(int panel, const QString& text);
    QString StatusText(int panel) const;

    // The lifecycle. Errors of the file layer are raised to the caller; the
    // handlers of the File menu catch and show them.
    void FormShow();
    void CreateNewFile(bool interactive);
    void Loadfile(const std::string& path);
    bool SetupBackgrounds();
    bool ProjectUpdated(bool newProject);
    // The "Lock layout" check mark and tblock follow LockObj.
    void UpdateGUI();

    // Region commands; those that need a current region do nothing without one.
    void Properties1Click();
    // Hides the current region when it is visible, shows it when hidden.
    void HideToggle();
    void Duplicate2Click();
    // Destroys every selected region, without confirmation.
    void Delete1Click();
    // The nudge step of keyboard moves and sizes, kept within 1..50.
    void ChangeNudge(int delta);
    void tbNudgeNumClick();
    // The keyboard map, run when a key of the window is released.
    void FormKeyUp(const QKeyEvent& event);

    // File menu.
    void New1Click();
    void Open1Click();
    // Opens a project file after the save question; a file that is not a
    // project is refused before anything changes.
    void OpenProject(const std::string& path);
    // Saves the project; shows the error and returns false when it fails.
    bool Save1Click();
    // The process is being ended: the settings and the unsaved edits are
    // written now, without questions.
    void SaveSession();

    // Commands of the menus and the tool bar.
    void LinkMenuClick();
    void sb_ShowPaintClick();
    void Locklayout1Click();
    void NextPrev(int tag);
    // Selects the region on the line chosen in qPick.
    void QPickClick();
    // RegionCmd of the current region, if there is one.
    void CurrentRegionCmd(int cmd);
    void Extract1Click();
    void Contents1Click();

    // Animation playback of the current clip region (main_form_animation.cpp).
    // AnimateStart starts playback, or stops it while it runs.
    void AnimateStart();
    void AnimateStop();
    void AnimTimerTimer();
    // The normal interface (true) or the one of playback (false).
    void AnimateSetMenus(bool enabled);

    // The playback: one cel per animated row, the next one to show, and
    // where on the canvas the cels are shown. Empty while stopped.
    QTimer* AnimTimer = nullptr;
    std::vector<QImage> Cels;
    int CelPos = 1;
    QRect CelTarget;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildContextMenu();
    void BuildToolBar();
    void BuildStatusBar();
    void ConnectCommands();
    void BuildAnimation();
    void ConnectEditingCommands();
    void RunKeyAction(const KeyAction& action);
    void Edit1Popup();
    void Project1Popup();
    void SetLockGlyph();
    // Everything after the project model was (re)loaded: regions on the
    // canvas, first frame, quick pick, menus and caption.
    void ShowLoadedProject();
    // Caption and first frame of a project just created.
    void ShowNewProject();
    // Fits the window to the canvas so the frame area shows whole.
    void FitWindowToCanvas();
    // Asks `question` about unsaved edits before they would be dropped.
    // False when the user cancels or the save fails: the edits stay.
    bool SettleUnsavedEdits(const QString& question);
    // Saves the project file; the recovery file is then not needed.
    void SaveProjectFile();
    // Offers the edits of a recovery file newer than the project just opened.
    void OfferRecovery();
    void LoadRecoveredEdits(const std::string& recoveryPath);

    Project project_;
    Settings settings_;
    StartupOptions startup_;
    bool shown_ = false;
    MainControls ui_;
    std::array<QLabel*, 3> panels_{};
    TBackgrnd* backgrnd_ = nullptr;
    std::unique_ptr<THelpRouter> helpRouter_;
    RecoveryKeeper* recovery_ = nullptr;
};

}  // namespace tolv::gui
