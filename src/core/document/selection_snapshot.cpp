#include "document/selection_snapshot.h"

namespace tolv {

SelectionSnapshot TakeSelection(const Project& project)
{
    SelectionSnapshot selection;
    for (int index : project.selection.positions())
        selection.States.emplace_back(index, project.selection.stateOf(*project.Regions[std::size_t(index)]));
    selection.Current = CurrentPosition(project);
    selection.Anchor = project.selection.anchor();
    return selection;
}

void RestoreSelection(Project& project, const SelectionSnapshot& selection)
{
    Selection& restored = project.selection;
    restored.clear();
    for (const auto& [index, state] : selection.States)
        restored.set(*project.Regions[std::size_t(index)], state);
    restored.setCurrent(selection.Current < 0 ? nullptr : project.Regions[std::size_t(selection.Current)].get());
    restored.setAnchor(selection.Anchor);
}

int CurrentPosition(const Project& project)
{
    const Region* current = project.selection.current();
    return current ? project.selection.positionOf(*current) : -1;
}

}  // namespace tolv
