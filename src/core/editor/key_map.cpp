#include "editor/key_map.h"

namespace tolv {

namespace {

// Ctrl sizes, Shift alone moves, the bare arrow does nothing.
KeyAction Arrow(KeyModifiers held, int dx, int dy)
{
    if (held.ctrl)
        return {KeyCommand::SizeSelected, dx, dy};
    if (held.shift)
        return {KeyCommand::MoveSelected, dx, dy};
    return {};
}

KeyAction Nudge(int delta)
{
    return {KeyCommand::ChangeNudge, 0, 0, delta};
}

KeyAction When(bool condition, KeyCommand command)
{
    return condition ? KeyAction{command} : KeyAction{};
}

}  // namespace

KeyAction ResolveKey(EditKey key, KeyModifiers held, int nudgeStep, bool lockObj)
{
    switch (key) {
    case EditKey::Tab:
        if (held.alt)
            return {};
        return {held.shift ? KeyCommand::SelectPrevious : KeyCommand::SelectNext};
    case EditKey::Escape:
        return {KeyCommand::Deselect};
    case EditKey::Left:
        return Arrow(held, -nudgeStep, 0);
    case EditKey::Up:
        return Arrow(held, 0, -nudgeStep);
    case EditKey::Right:
        return Arrow(held, nudgeStep, 0);
    case EditKey::Down:
        return Arrow(held, 0, nudgeStep);
    case EditKey::Insert:
        return When(held.shift, KeyCommand::Duplicate);
    case EditKey::Delete:
        return When(!lockObj, KeyCommand::Delete);
    case EditKey::H:
        return When(held.ctrl, KeyCommand::HideToggle);
    case EditKey::P:
        return When(held.ctrl, KeyCommand::Properties);
    case EditKey::PadMultiply:
        return Nudge(10);
    case EditKey::PadAdd:
        return Nudge(1);
    case EditKey::PadSubtract:
        return Nudge(-1);
    case EditKey::PadDivide:
        return Nudge(-10);
    default:
        return {};
    }
}

bool EndsNudging(EditKey key)
{
    return key == EditKey::Shift || key == EditKey::Control;
}

}  // namespace tolv
