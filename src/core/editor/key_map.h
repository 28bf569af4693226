#pragma once

namespace tolv {

// The keys the frame editor's keyboard map knows, apart from any toolkit.
// The four Pad keys are those of the numeric keypad only.
enum class EditKey {
    Other,
    Tab,
    Escape,
    Left,
    Up,
    Right,
    Down,
    Insert,
    Delete,
    H,
    P,
    PadMultiply,
    PadAdd,
    PadSubtract,
    PadDivide,
    Shift,
    Control,
};

// The modifier keys held when a key goes down.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

enum class KeyCommand {
    None,
    SelectNext,
    SelectPrevious,
    Deselect,
    SizeSelected,
    MoveSelected,
    Duplicate,
    Delete,
    HideToggle,
    Properties,
    ChangeNudge,
};

struct KeyAction {
    KeyCommand command = KeyCommand::None;
    // SizeSelected and MoveSelected: the change in pixels.
    int dx = 0;
    int dy = 0;
    // ChangeNudge: the change of the step.
    int nudgeDelta = 0;
    bool operator==(const KeyAction&) const = default;
};

// What pressing `key` does. Modifiers that a key's row does not name are
// not looked at (Ctrl+Shift+Left sizes, Shift+Delete deletes). Delete does
// nothing while the layout is locked.
KeyAction ResolveKey(EditKey key, KeyModifiers held, int nudgeStep, bool lockObj);

// Releasing Shift or Ctrl ends a run of keyboard nudges.
bool EndsNudging(EditKey key);

}  // namespace tolv
