// The keyboard map of the main window, served when a key is pressed.
#include "gui/mainwindow/main_window.h"

#include "editor/key_map.h"
#include "editor/selection.h"
#include "gui/editor/frame_canvas.h"

#include <QKeyEvent>

namespace tolv::gui {

namespace {

EditKey PadKey(int key)
{
    switch (key) {
    case Qt::Key_Asterisk:
        return EditKey::PadMultiply;
    case Qt::Key_Plus:
        return EditKey::PadAdd;
    case Qt::Key_Minus:
        return EditKey::PadSubtract;
    case Qt::Key_Slash:
        return EditKey::PadDivide;
    default:
        return EditKey::Other;
    }
}

EditKey ToEditKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return EditKey::Tab;
    case Qt::Key_Escape:
        return EditKey::Escape;
    case Qt::Key_Left:
        return EditKey::Left;
    case Qt::Key_Up:
        return EditKey::Up;
    case Qt::Key_Right:
        return EditKey::Right;
    case Qt::Key_Down:
        return EditKey::Down;
    case Qt::Key_Insert:
        return EditKey::Insert;
    case Qt::Key_Delete:
        return EditKey::Delete;
    case Qt::Key_H:
        return EditKey::H;
    case Qt::Key_P:
        return EditKey::P;
    case Qt::Key_Shift:
        return EditKey::Shift;
    case Qt::Key_Control:
        return EditKey::Control;
    default:
        // The same keys of the main block leave the nudge step alone.
        return event.modifiers().testFlag(Qt::KeypadModifier) ? PadKey(event.key()) : EditKey::Other;
    }
}

KeyModifiers HeldModifiers(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers held = event.modifiers();
    // Shift+Tab arrives as Backtab, with or without the Shift flag.
    return {held.testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab,
            held.testFlag(Qt::ControlModifier), held.testFlag(Qt::AltModifier)};
}

}  // namespace

bool MainWindow::onKeyPressed(const QKeyEvent& event)
{
    const EditKey key = ToEditKey(event);
    // Esc ends a drag without a trace before it would clear the selection.
    if (key == EditKey::Escape && canvas_->abortGesture())
        return true;
    const KeyAction action = ResolveKey(key, HeldModifiers(event), project().NudgeStep, project().LockObj);
    runKeyAction(action);
    return action.command != KeyCommand::None;
}

void MainWindow::onKeyReleased(const QKeyEvent& event)
{
    if (canvas_->prefilterHeld() && EndsNudging(ToEditKey(event)))
        canvas_->releasePrefilter();
}

void MainWindow::runKeyAction(const KeyAction& action)
{
    const auto select = [this](SelectionOp::Kind kind) {
        document_.changeSelection({kind});
        showCurrentGeometry();
    };
    const auto nudge = [this](bool (Document::*edit)(int, int), int dx, int dy) {
        if (!CanNudgeSelected(project()))
            return;
        canvas_->holdPrefilter();
        (document_.*edit)(dx, dy);
        // Status panel 1 ends with the geometry of the last region visited.
        const std::vector<Region*> visited = SelectedFromLast(project());
        if (!visited.empty())
            setStatus(StatusPanel::Geometry, QString::fromStdString(GeometryText(*visited.back())));
    };
    switch (action.command) {
    case KeyCommand::None:
        break;
    case KeyCommand::SelectNext:
        select(SelectionOp::Kind::Next);
        break;
    case KeyCommand::SelectPrevious:
        select(SelectionOp::Kind::Previous);
        break;
    case KeyCommand::Deselect:
        document_.changeSelection({SelectionOp::Kind::DeselectAll});
        break;
    case KeyCommand::SizeSelected:
        nudge(&Document::nudgeSize, action.dx, action.dy);
        break;
    case KeyCommand::MoveSelected:
        nudge(&Document::nudgeMove, action.dx, action.dy);
        break;
    case KeyCommand::Duplicate:
        onDuplicate();
        break;
    case KeyCommand::Delete:
        onDelete();
        break;
    case KeyCommand::HideToggle:
        onHideToggle();
        break;
    case KeyCommand::Properties:
        onRegionProperties();
        break;
    case KeyCommand::ChangeNudge:
        changeNudgeStep(action.nudgeDelta);
        break;
    }
}

}  // namespace tolv::gui
