#include "gui/editor/edit_key_events.h"

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

}  // namespace

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
    return {held.testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab, held.testFlag(Qt::ControlModifier),
            held.testFlag(Qt::AltModifier)};
}

}  // namespace tolv::gui
