#include "document/selection_snapshot.h"

namespace tolv {

SelectionSnapshot TakeSelection(const Project& project)
{
    SelectionSnapshot selection;
    for (int index : SelectedPositions(project))
        selection.States.emplace_back(index, project.Regions[std::size_t(index)]->Selected);
    selection.Current = CurrentPosition(project);
    selection.SelIndex = project.SelIndex;
    return selection;
}

void RestoreSelection(Project& project, const SelectionSnapshot& selection)
{
    for (auto& region : project.Regions)
        region->Selected = SelectionState::None;
    for (const auto& [index, state] : selection.States)
        project.Regions[std::size_t(index)]->Selected = state;
    project.CurrentRegion = selection.Current < 0 ? nullptr : project.Regions[std::size_t(selection.Current)].get();
    project.SelIndex = selection.SelIndex;
}

std::vector<int> SelectedPositions(const Project& project)
{
    std::vector<int> positions;
    for (std::size_t i = 0; i < project.Regions.size(); ++i) {
        if (project.Regions[i]->Selected != SelectionState::None)
            positions.push_back(int(i));
    }
    return positions;
}

int CurrentPosition(const Project& project)
{
    for (std::size_t i = 0; i < project.Regions.size(); ++i) {
        if (project.Regions[i].get() == project.CurrentRegion)
            return int(i);
    }
    return -1;
}

}  // namespace tolv
