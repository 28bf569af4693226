#pragma once

#include "document/document.h"
#include "editor/frame_display.h"
#include "gui/app/startup_options.h"
#include "gui/mainwindow/action_map.h"
#include "gui/mainwindow/window_dialogs.h"
#include "settings/settings.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDragEnterEvent;
class QDropEvent;

namespace tolv::gui {

class AnimationPlayer;
class CanvasView;
class FrameCanvas;
class HelpRouter;
class ProjectSession;
class RegionCommands;
class FramesPanel;
class PropertiesPanel;
class RegionsPanel;
class Workspace;
enum class StatusPanel;

// The program's main window: assembles the canvas view, the project
// session, the region commands, the animation player and the action map
// around one document, and owns the help router. Every control follows the
// document's notification (refresh()); the commands only ask the document
// for edits.
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
    FrameCanvas& canvas();
    CanvasView& view() { return *view_; }
    ProjectSession& session() { return *session_; }
    RegionCommands& commands() { return *commands_; }
    AnimationPlayer& player() { return *player_; }
    RegionsPanel& regionsPanel() { return *regionsPanel_; }
    FramesPanel& framesPanel() { return *framesPanel_; }
    PropertiesPanel& propertiesPanel() { return *propertiesPanel_; }
    Workspace& workspace() { return *workspace_; }
    HelpRouter& helpRouter() { return *helpRouter_; }
    const MainWindowControls& ui() const { return ui_; }
    Settings& settings() { return settings_; }

    bool animating() const;
    QString statusText(int panel) const;

    // Project Setup; true when it closed with OK.
    bool runProjectSetup(bool newProject);
    // The process is being ended: the settings and the unsaved edits are
    // written now, without questions.
    void saveSession();

    // Commands of the menus and the tool bar (main_window_commands.cpp).
    void onLockLayout();
    void showAdjacentFrame(FrameStep step);
    // Selects the region on the line chosen in the quick pick.
    void onQuickPick();
    void onExtract();
    void onHelpContents();
    // Animation playback of the current clip region: starts it, or stops it
    // while it runs.
    void onAnimate();
    void stopAnimation();

protected:
    void showEvent(QShowEvent* event) override;
    // A local file dropped on the window opens as Open opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The window's place is remembered for the next start.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openFirstProject();
    void connectCommands();
    void connectParts();

    // The one refresh path (main_window_refresh.cpp).
    void refresh(const DocumentChange& change);
    void fillQuickPick();
    void renameInQuickPick(const std::vector<RegionChange>& changed);
    void showSelectionStatus();
    void setStatus(StatusPanel panel, const QString& text);

    int runModal(const std::function<int()>& dialog);
    void syncUndoEnabled();
    // The canvas takes the frames' area; the window keeps its size, which
    // only the user changes.
    void fitCanvasToFrames();
    // The first project shown puts the window where it was when the
    // settings were last written, within the screen.
    void placeWindowOnce();
    void makeRoomForPanels();
    void rememberWindowPlace();

    Document document_;
    Settings settings_;
    StartupOptions startup_;
    WindowDialogs dialogs_;
    bool shown_ = false;
    int modalDepth_ = 0;
    int subscription_ = 0;
    MainWindowControls ui_;
    CanvasView* view_ = nullptr;
    AnimationPlayer* player_ = nullptr;
    ProjectSession* session_ = nullptr;
    RegionCommands* commands_ = nullptr;
    Workspace* workspace_ = nullptr;
    RegionsPanel* regionsPanel_ = nullptr;
    FramesPanel* framesPanel_ = nullptr;
    PropertiesPanel* propertiesPanel_ = nullptr;
    std::unique_ptr<HelpRouter> helpRouter_;
    bool windowPlaced_ = false;
};

}  // namespace tolv::gui
