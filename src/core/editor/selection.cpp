#include "editor/selection.h"

#include "editor/frame_rule.h"
#include "editor/region_rules.h"
#include "platform/saturating.h"

#include <algorithm>

namespace tolv {

bool SetState(Project& project, Region& region, SelectionState state)
{
    if (region.Selected == state)
        return false;
    region.Selected = state;
    if (state == SelectionState::Current || state == SelectionState::Group)
        project.CurrentRegion = &region;
    return true;
}

void DeselectAll(Project& project)
{
    for (auto& region : project.Regions)
        region->Selected = SelectionState::None;
    project.SelIndex = -1;
    project.CurrentRegion = nullptr;
}

Region* SelectRegion(Project& project, int index)
{
    if (index < 0 || index >= int(project.Regions.size()))
        return nullptr;
    if (project.CurrentRegion)
        project.CurrentRegion->Selected = SelectionState::None;
    Region& region = *project.Regions[std::size_t(index)];
    project.SelIndex = index;
    project.CurrentRegion = &region;
    region.Selected = SelectionState::Current;
    return &region;
}

namespace {

// The first visible region `step` positions on from `from`, going round the
// list; -1 when none is visible.
int VisibleFrom(const Project& project, int from, int step)
{
    const int count = int(project.Regions.size());
    for (int tried = 0, index = from; tried < count; ++tried, index = (index + step + count) % count)
        if (project.Regions[std::size_t(index)]->Visible)
            return index;
    return -1;
}

}  // namespace

Region* SelectNext(Project& project)
{
    const int count = int(project.Regions.size());
    if (count == 0)
        return nullptr;
    return SelectRegion(project, VisibleFrom(project, project.SelIndex >= count - 1 ? 0 : project.SelIndex + 1, 1));
}

Region* SelectPrevious(Project& project)
{
    const int count = int(project.Regions.size());
    if (count == 0)
        return nullptr;
    const int from = project.SelIndex > 0 && project.SelIndex < count ? project.SelIndex - 1 : count - 1;
    return SelectRegion(project, VisibleFrom(project, from, -1));
}

bool CanNudgeSelected(const Project& project)
{
    return project.CurrentRegion && !project.Regions.empty() && !project.LockObj;
}

std::vector<Region*> SelectedFromLast(const Project& project)
{
    std::vector<Region*> selected;
    for (auto it = project.Regions.rbegin(); it != project.Regions.rend(); ++it)
        if ((*it)->Selected != SelectionState::None)
            selected.push_back(it->get());
    return selected;
}

namespace {

template <typename Step>
std::vector<Region*> NudgeSelected(Project& project, Step step)
{
    if (!CanNudgeSelected(project))
        return {};
    const std::vector<Region*> selected = SelectedFromLast(project);
    for (Region* region : selected)
        step(*region);
    return selected;
}

}  // namespace

std::vector<Region*> SizeSelected(Project& project, int dw, int dh)
{
    return NudgeSelected(project, [&](Region& region) {
        SetSize(project, region, SaturatingAdd(region.Width, dw), SaturatingAdd(region.Height, dh));
    });
}

std::vector<Region*> MoveSelected(Project& project, int dx, int dy)
{
    const Point allowed = AllowedSelectionMove(project, {dx, dy});
    return NudgeSelected(project, [&](Region& region) { Moveby(region, allowed.x, allowed.y); });
}

void ApplySelectionOp(Project& project, const SelectionOp& op)
{
    using Kind = SelectionOp::Kind;
    const bool named = op.position >= 0 && op.position < int(project.Regions.size());
    Region* region = named ? project.Regions[std::size_t(op.position)].get() : nullptr;
    switch (op.kind) {
    case Kind::DeselectAll:
        DeselectAll(project);
        return;
    case Kind::Next:
        SelectNext(project);
        return;
    case Kind::Previous:
        SelectPrevious(project);
        return;
    case Kind::Pick:
        DeselectAll(project);
        SelectRegion(project, op.position);
        return;
    case Kind::SelectAlone:
        if (!region)
            return;
        if (project.Regions.size() > 1)
            DeselectAll(project);
        SetState(project, *region, SelectionState::Current);
        project.SelIndex = region->PickIndex;
        return;
    case Kind::JoinGroup:
        if (!region)
            return;
        if (project.CurrentRegion)
            SetState(project, *project.CurrentRegion, SelectionState::Group);
        SetState(project, *region, SelectionState::Group);
        project.SelIndex = region->PickIndex;
        return;
    case Kind::AddToGroup:
        if (region)
            SetState(project, *region, SelectionState::Group);
        return;
    }
}

}  // namespace tolv
