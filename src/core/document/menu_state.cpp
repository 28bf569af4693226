#include "document/menu_state.h"

#include "document/document.h"

namespace tolv {

MenuContext MenuContextOf(const Document& document, bool animating)
{
    const Project& project = document.project();
    const Region* current = project.selection.current();
    return {!project.Regions.empty(), current != nullptr,   current && !current->Visible, project.LockObj,   animating,
            project.FrameCount(),     project.CurrentFrame, document.canUndo(),           document.canRedo()};
}

MenuState MenuStateFor(const MenuContext& c)
{
    const bool idle = !c.animating;
    const bool onRegion = idle && c.hasCurrent;
    MenuState state;
    state.fileMenu = state.editMenu = state.projectMenu = state.helpMenu = state.toolBar = idle;
    state.extractMenu = idle && c.hasRegions;
    state.regionProperties = state.hideRegion = state.duplicateRegion = onRegion;
    state.hideRegionChecked = c.hasCurrent && c.currentRegionHidden;
    state.deleteRegion = state.cutRegions = onRegion && !c.layoutLocked;
    state.copyRegions = onRegion;
    state.pasteRegions = idle;
    state.animate = onRegion || c.animating;
    state.animateChecked = c.animating;
    state.previousFrame = idle && c.currentFrame > 1;
    state.nextFrame = idle && c.currentFrame < c.frameCount;
    state.lockLayoutChecked = c.layoutLocked;
    state.undo = idle && c.canUndo;
    state.redo = idle && c.canRedo;
    return state;
}

}  // namespace tolv
