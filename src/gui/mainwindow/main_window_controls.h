#pragma once

class QAction;
class QComboBox;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;

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
};

}  // namespace tolv::gui
