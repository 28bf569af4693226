#pragma once

#include "editor/key_map.h"

class QKeyEvent;

namespace tolv::gui {

// The key of the keyboard map that a key event stands for; keys of the
// number pad count as such only with the keypad flag.
EditKey ToEditKey(const QKeyEvent& event);
// The modifiers held at the event; Shift+Tab counts as Shift, with or
// without the flag.
KeyModifiers HeldModifiers(const QKeyEvent& event);

}  // namespace tolv::gui
