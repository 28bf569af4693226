// The keyboard map of the main window, served when a key is released.
#include "gui/project/main_form.h"

#include "editor/key_map.h"
#include "gui/editor/backgrnd.h"

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

void TMainForm::FormKeyUp(const QKeyEvent& event)
{
    const EditKey key = ToEditKey(event);
    if (backgrnd_->HoldPrefilter && EndsNudging(key)) {
        backgrnd_->HoldPrefilter = false;
        backgrnd_->PaintPrefilter(true);
        backgrnd_->update();
    }
    RunKeyAction(ResolveKey(key, HeldModifiers(event), project_.NudgeStep, project_.LockObj));
}

void TMainForm::RunKeyAction(const KeyAction& action)
{
    switch (action.command) {
    case KeyCommand::None:
        break;
    case KeyCommand::SelectNext:
        backgrnd_->SelectNext();
        break;
    case KeyCommand::SelectPrevious:
        backgrnd_->SelectPrevious();
        break;
    case KeyCommand::Deselect:
        backgrnd_->DeselectAll();
        backgrnd_->ShowNoSelection();
        break;
    case KeyCommand::SizeSelected:
        backgrnd_->SizeSelected(action.dx, action.dy);
        break;
    case KeyCommand::MoveSelected:
        backgrnd_->MoveSelected(action.dx, action.dy);
        break;
    case KeyCommand::Duplicate:
        Duplicate2Click();
        break;
    case KeyCommand::Delete:
        Delete1Click();
        break;
    case KeyCommand::HideToggle:
        HideToggle();
        break;
    case KeyCommand::Properties:
        Properties1Click();
        break;
    case KeyCommand::ChangeNudge:
        ChangeNudge(action.nudgeDelta);
        break;
    }
}

}  // namespace tolv::gui
