#pragma once

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QMainWindow;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace tolv {
class Document;
struct MenuState;
}  // namespace tolv

namespace tolv::gui {

class GeometryBar;

// The main window's controls; each widget's objectName is its name here.
struct MainWindowControls {
    QToolBar* toolBar = nullptr;
    QComboBox* quickPick = nullptr;
    QToolButton* hideButton = nullptr;
    QToolButton* showPaintButton = nullptr;
    QToolButton* lockButton = nullptr;
    QToolButton* nudgeStepButton = nullptr;
    QToolButton* previousFrameButton = nullptr;
    QToolButton* nextFrameButton = nullptr;
    QScrollArea* canvasScroll = nullptr;
    GeometryBar* geometryBar = nullptr;

    QMenu* fileMenu = nullptr;
    QAction* newAction = nullptr;
    QAction* openAction = nullptr;
    QAction* saveAction = nullptr;
    QAction* saveAsAction = nullptr;
    QMenu* recentMenu = nullptr;
    QAction* preferencesAction = nullptr;
    QAction* exitAction = nullptr;
    QMenu* editMenu = nullptr;
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;
    QAction* cutAction = nullptr;
    QAction* copyAction = nullptr;
    QAction* pasteAction = nullptr;
    QAction* propertiesAction = nullptr;
    QAction* hideAction = nullptr;
    QAction* showPaintAction = nullptr;
    QAction* duplicateAction = nullptr;
    QAction* deleteAction = nullptr;
    QAction* previousFrameAction = nullptr;
    QAction* nextFrameAction = nullptr;
    QMenu* viewMenu = nullptr;
    QAction* zoomInAction = nullptr;
    QAction* zoomOutAction = nullptr;
    QAction* actualSizeAction = nullptr;
    QAction* fitAction = nullptr;
    QAction* pixelGridAction = nullptr;
    QAction* snapAction = nullptr;
    QAction* regionNamesAction = nullptr;
    QAction* animateAction = nullptr;
    QMenu* projectMenu = nullptr;
    QAction* projectSetupAction = nullptr;
    QAction* lockLayoutAction = nullptr;
    QMenu* extractMenu = nullptr;
    QAction* extractAction = nullptr;
    QAction* checkAction = nullptr;
    QMenu* helpMenu = nullptr;
    QAction* helpContentsAction = nullptr;
    QAction* aboutAction = nullptr;

    QMenu* regionMenu = nullptr;
    QAction* regionPropertiesAction = nullptr;
    QAction* regionHideAction = nullptr;
    QAction* regionDuplicateAction = nullptr;
    QAction* regionDeleteAction = nullptr;
    QAction* regionAnimateAction = nullptr;

    // The status bar's panels, by StatusPanel, and the one that says whether
    // the project has unsaved edits.
    std::array<QLabel*, 4> statusPanels{};
    QLabel* unsavedPanel = nullptr;
};

// The window's menus, tool bars, region context menu and status bar, with
// their names, texts, shortcuts and first states. The shortcuts of the
// context menu are shown for the user's information; the keyboard map serves
// them when the key goes down.
MainWindowControls BuildWindowControls(QMainWindow& window);

// What the menu state and the document's history say: which commands are
// enabled and checked, and the texts of Undo and Redo.
void ApplyMenuState(const MainWindowControls& ui, const MenuState& state, const Document& document);

}  // namespace tolv::gui
