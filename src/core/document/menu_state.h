#pragma once

namespace tolv {

class Document;

// What the enabling of the main window's menus and tool bar depends on.
struct MenuContext {
    bool hasRegions = false;
    // A current region, alone or the last one joined to a group: every
    // region item acts on it (Delete on the whole group).
    bool hasCurrent = false;
    bool currentRegionHidden = false;
    bool layoutLocked = false;
    bool animating = false;
    int frameCount = 0;
    int currentFrame = 0;
    bool canUndo = false;
    bool canRedo = false;
};

MenuContext MenuContextOf(const Document& document, bool animating);

// Which items are enabled (or checked) in a context. The region items stand
// for both of their places, the Edit menu and the region context menu.
struct MenuState {
    // The menus of the menu bar, and the tool bar as a whole: all of them
    // rest while an animation plays.
    bool fileMenu = false;
    bool editMenu = false;
    bool projectMenu = false;
    bool extractMenu = false;
    bool helpMenu = false;
    bool toolBar = false;

    bool regionProperties = false;
    bool hideRegion = false;
    bool hideRegionChecked = false;
    bool duplicateRegion = false;
    bool deleteRegion = false;
    // Copy takes the selection; Cut removes it, so the lock keeps it too.
    bool copyRegions = false;
    bool cutRegions = false;
    bool pasteRegions = false;
    // Also the way to stop a playing animation.
    bool animate = false;
    bool animateChecked = false;

    bool previousFrame = false;
    bool nextFrame = false;
    bool lockLayoutChecked = false;
    bool undo = false;
    bool redo = false;

    bool operator==(const MenuState&) const = default;
};

MenuState MenuStateFor(const MenuContext& context);

}  // namespace tolv
