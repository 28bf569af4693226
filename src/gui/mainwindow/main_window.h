#pragma once

#include "document/document.h"
#include "editor/frame_display.h"
#include "gui/mainwindow/main_window_controls.h"
#include "gui/mainwindow/window_dialogs.h"
#include "project/settings.h"

#include <QImage>
#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class QTimer;

namespace tolv {
struct KeyAction;
struct MenuState;
}

namespace tolv::gui {

class FrameCanvas;
class HelpRouter;
class RecoveryKeeper;
enum class StatusPanel;

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

// The program's main window: hosts the frame canvas, the tool bar, the status
// bar, the main menu and the region context menu; owns the document and the
// help router, and runs the project's lifecycle (start-up, New, Open, Save,
// Project Setup, close). Every control follows the document's notification
// (refresh()); the commands only ask the document for edits.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the controls, the canvas and the help router. The first project
    // opens once the window is first shown.
    MainWindow(const StartupOptions& startup, const WindowDialogs& dialogs);
    // Writes the settings.
    ~MainWindow() override;

    Document& document() { return document_; }
    const Project& project() const { return document_.project(); }
    FrameCanvas& canvas() { return *canvas_; }
    HelpRouter& helpRouter() { return *helpRouter_; }
    const MainWindowControls& ui() const { return ui_; }
    Settings& settings() { return settings_; }

    bool showPaintAll() const;
    bool animating() const { return animating_; }

    QString statusText(int panel) const;

    // The lifecycle. Errors of the file layer are raised to the caller; the
    // handlers of the File menu catch and show them.
    void openFirstProject();
    void createNewProject(bool interactive);
    void loadProject(const std::string& path);
    void loadProject(const std::string& path, const ProjectFileBytes& file);
    // Project Setup; true when it closed with OK.
    bool runProjectSetup(bool newProject);

    // Region commands; those that need a current region do nothing without one.
    void onRegionProperties();
    // Hides the current region when it is visible, shows it when hidden.
    void onHideToggle();
    void onDuplicate();
    // Deletes every selected region, without confirmation.
    void onDelete();
    void onUndo();
    void onRedo();
    // The selected regions through the system clipboard, as project text.
    void onCut();
    void onCopy();
    void onPaste();
    // The nudge step of keyboard moves and sizes, kept within 1..50.
    void changeNudgeStep(int delta);
    void onNudgeStep();
    // The keyboard map, run when a key of the window goes down; returns
    // whether the key ran a command.
    bool onKeyPressed(const QKeyEvent& event);
    // Releasing Shift or Ctrl ends a run of keyboard nudges.
    void onKeyReleased(const QKeyEvent& event);
    // Space held pans the view with the left button.
    void setSpaceHeld(bool held);

    // The zoom of the view (main_window_view.cpp), keeping the frame point
    // at `viewportPos` in place.
    void zoomTo(double scale, const QPoint& viewportPos);
    void zoomBy(int steps, const QPoint& viewportPos);
    void fitFrameToView();

    // File menu.
    void onNew();
    void onOpen();
    // Opens a project file after the save question; a file that is not a
    // project is refused before anything changes.
    void openProject(const std::string& path);
    // Saves the project; shows the error and returns false when it fails.
    bool onSave();
    // Saves the project under a name the user chooses, where it lives from
    // then on (main_window_files.cpp); false when cancelled or failed.
    bool onSaveAs();
    // The process is being ended: the settings and the unsaved edits are
    // written now, without questions.
    void saveSession();

    // Commands of the menus and the tool bar.
    void onShowPaintAction();
    void onShowPaintButton();
    void onLockLayout();
    void showAdjacentFrame(FrameStep step);
    // Selects the region on the line chosen in the quick pick.
    void onQuickPick();
    void applyRegionCommand(RegionCommand command);
    void onExtract();
    void onHelpContents();

    // Animation playback of the current clip region (main_window_animation.cpp).
    // onAnimate starts playback, or stops it while it runs.
    void onAnimate();
    void stopAnimation();
    void showNextCel();

    // The playback: one cel per animated row, the next one to show, and
    // where on the canvas the cels are shown. Empty while stopped.
    QTimer* animationTimer = nullptr;
    std::vector<QImage> cels;
    int celPos = 1;
    QRect celTarget;

protected:
    void showEvent(QShowEvent* event) override;
    // A local file dropped on the window opens as Open opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The window's place is remembered for the next start.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildViewMenu();
    void connectView();
    QPoint viewCentre() const;
    void panBy(const QPoint& delta);
    void buildRegionMenu();
    void buildToolBar();
    void buildStatusBar();
    void connectCommands();
    void connectCanvas();
    void buildAnimation();
    void connectEditingCommands();
    void runKeyAction(const KeyAction& action);

    // The one refresh path (main_window_refresh.cpp).
    void refresh(const DocumentChange& change);
    void applyMenuState(const MenuState& state);
    void fillQuickPick();
    void renameInQuickPick(const std::vector<RegionChange>& changed);
    void showSelectionStatus();
    void setStatus(StatusPanel panel, const QString& text);
    // Status panel 1 with the current region's geometry, if there is one.
    void showCurrentGeometry();

    // A new region of the band's size, filled in by Region Object Properties.
    void addRegion(const Rect& band);
    // Runs Region Object Properties for `record`; true with OK, `record`
    // then holds what the dialog set, overlay loaded.
    bool editRegionRecord(Region& record, bool isNew);
    bool framesDefined();
    // Runs a modal dialog; undo and redo rest while it is open.
    int runModal(const std::function<int()>& dialog);
    void syncUndoEnabled();

    // The canvas takes the frames' area; the window keeps its size, which
    // only the user changes.
    void fitCanvasToFrames();
    // The first project opened puts the window where it was when the
    // settings were last written, within the screen.
    void placeWindowOnce();
    void rememberWindowPlace();
    // Asks `question` about unsaved edits before they would be dropped.
    // False when the user cancels or the save fails: the edits stay.
    bool settleUnsavedEdits(const QString& question);
    // Saves the project file. Asks first about a project read incompletely
    // (Yes, Save As..., Cancel), and about a file changed on disk since it
    // was opened (Overwrite, Reload, Cancel). False when the user cancelled;
    // true also after Reload, which settles the edits by giving them up.
    bool saveProjectFile();
    // False when another window has the project open and the user does not
    // want it open here too.
    bool mayOpenHere(const std::string& path);
    // Offers the edits that crashed windows left of the project just opened.
    void offerRecovery();

    // Save As, the recent projects and the folder of the project file
    // dialogs (main_window_files.cpp).
    void connectFileHabits();
    void buildRecentMenu();
    void fillRecentMenu();
    void clearRecentProjects();
    // The open project's file becomes the most recent one.
    void rememberProject();
    void saveProjectAs(const std::string& path);
    void warnOfMissingFrames();
    QString dialogFolder() const;
    void rememberDialogFolder(const QString& chosenPath);

    Document document_;
    Settings settings_;
    StartupOptions startup_;
    WindowDialogs dialogs_;
    bool shown_ = false;
    // The caption of a project created with New differs from an opened one.
    bool createdWithNew_ = false;
    bool animating_ = false;
    int modalDepth_ = 0;
    int subscription_ = 0;
    MainWindowControls ui_;
    std::array<QLabel*, 4> panels_{};
    // Says whether the project has unsaved edits.
    QLabel* unsavedPanel_ = nullptr;
    FrameCanvas* canvas_ = nullptr;
    std::unique_ptr<HelpRouter> helpRouter_;
    // Destroyed before the document it follows.
    std::unique_ptr<RecoveryKeeper> recovery_;
    QAction* saveAsAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    // One item per recent slot; those beyond the list are hidden.
    std::vector<QAction*> recentItems_;
    QAction* clearRecentAction_ = nullptr;
    bool windowPlaced_ = false;
};

}  // namespace tolv::gui
