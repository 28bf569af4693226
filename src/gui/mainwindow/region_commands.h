#pragma once

#include "document/region_command.h"
#include "editor/frame_rule.h"
#include "platform/image/raster.h"

#include <QObject>
#include <QString>

#include <functional>

class QKeyEvent;
class QWidget;

namespace tolv {
class Document;
struct KeyAction;
struct Region;
struct Settings;
}  // namespace tolv

namespace tolv::gui {

class AnimationPlayer;
class FrameCanvas;
class RegionPropertiesDialog;
struct MainWindowControls;
enum class StatusPanel;

// The region commands of the Edit menu, the region context menu, the tool
// bars, the canvas and the keyboard map: new region, properties, typed
// geometry, hide and show, duplicate, delete, cut, copy and paste, undo and
// redo, nudges and the nudge step. Each asks the document for one edit; the
// window follows through the document's notification.
class RegionCommands : public QObject {
    Q_OBJECT
public:
    // Runs a modal dialog; undo and redo rest while it is open.
    using ModalRunner = std::function<int(const std::function<int()>&)>;

    struct Parts {
        Document& document;
        FrameCanvas& canvas;
        const MainWindowControls& ui;
        RegionPropertiesDialog& properties;
        const Settings& settings;
        const AnimationPlayer& player;
        ModalRunner runModal;
    };
    // `window` is the parent of the messages and questions.
    RegionCommands(QWidget& window, Parts parts);

    // Those that need a current region do nothing without one, and none
    // runs during playback.
    void applyRegionCommand(RegionCommand command);
    void properties();
    // Region Object Properties OK without the dialog: `record`, the current
    // region with fields changed, replaces it, its overlay loaded afresh.
    void setProperties(Region record);
    // Geometry typed in for the current region, placed on the frame.
    void setGeometry(const RegionGeometry& geometry);
    // Hides the current region when it is visible, shows it when hidden.
    void hideToggle();
    // Puts the frame at `position` (from 1) into the current region's
    // worksheet, or takes it out.
    void toggleFrame(int position);
    void duplicate();
    // Deletes every selected region, without confirmation.
    void remove();
    void undo();
    void redo();
    // The selected regions through the system clipboard, as project text.
    void cut();
    void copy();
    void paste();
    // The nudge step of keyboard moves and sizes, kept within 1..50.
    void changeNudgeStep(int delta);
    void askNudgeStep();
    // A new region of the band's size, filled in by Region Object Properties.
    void addRegion(const Rect& band);
    // Status panel 1 with the current region's geometry, if there is one.
    void showCurrentGeometry();

    // The keyboard map, run when a key of the window goes down; returns
    // whether the key ran a command.
    bool keyPressed(const QKeyEvent& event);
    // Releasing Shift or Ctrl ends a run of keyboard nudges.
    void keyReleased(const QKeyEvent& event);

signals:
    void statusChanged(StatusPanel panel, const QString& text);

private:
    void bindActions();
    void runKeyAction(const KeyAction& action);
    bool framesDefined();
    // Runs Region Object Properties for `record`; true with OK, `record`
    // then holds what the dialog set, overlay loaded.
    bool editRegionRecord(Region& record, bool isNew);
    void reloadOverlay(Region& record);

    QWidget& window_;
    Parts parts_;
};

}  // namespace tolv::gui
