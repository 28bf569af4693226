#include "editor/selection.h"

#include "editor/frame_rule.h"
#include "editor/region_rules.h"
#include "platform/saturating.h"

#include <algorithm>

namespace tolv {

Region* SelectRegion(Project& project, int index)
{
    if (index < 0 || index >= int(project.Regions.size()))
        return nullptr;
    Selection& selection = project.selection;
    if (Region* previous = selection.current())
        selection.set(*previous, SelectionState::None);
    Region& region = *project.Regions[std::size_t(index)];
    selection.set(region, SelectionState::Current);
    selection.setCurrent(&region);
    selection.setAnchor(index);
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
    const int anchor = project.selection.anchor();
    return SelectRegion(project, VisibleFrom(project, anchor >= count - 1 ? 0 : anchor + 1, 1));
}

Region* SelectPrevious(Project& project)
{
    const int count = int(project.Regions.size());
    if (count == 0)
        return nullptr;
    const int anchor = project.selection.anchor();
    const int from = anchor > 0 && anchor < count ? anchor - 1 : count - 1;
    return SelectRegion(project, VisibleFrom(project, from, -1));
}

bool CanNudgeSelected(const Project& project)
{
    return project.selection.current() && !project.Regions.empty() && !project.LockObj;
}

std::vector<Region*> SelectedFromLast(const Project& project)
{
    const std::vector<int> positions = project.selection.positions();
    std::vector<Region*> selected;
    for (auto position = positions.rbegin(); position != positions.rend(); ++position)
        selected.push_back(project.Regions[std::size_t(*position)].get());
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

std::optional<SelectionOp> ListClickOp(SelectionState state, bool extend, int position)
{
    if (!extend)
        return SelectionOp{SelectionOp::Kind::SelectAlone, position};
    switch (state) {
    case SelectionState::None:
        return SelectionOp{SelectionOp::Kind::JoinGroup, position};
    case SelectionState::Current:
        return SelectionOp{SelectionOp::Kind::AddToGroup, position};
    case SelectionState::Group:
        break;
    }
    return std::nullopt;
}

void ApplySelectionOp(Project& project, const SelectionOp& op)
{
    using Kind = SelectionOp::Kind;
    const bool named = op.position >= 0 && op.position < int(project.Regions.size());
    Region* region = named ? project.Regions[std::size_t(op.position)].get() : nullptr;
    Selection& selection = project.selection;
    switch (op.kind) {
    case Kind::DeselectAll:
        selection.clear();
        return;
    case Kind::Next:
        SelectNext(project);
        return;
    case Kind::Previous:
        SelectPrevious(project);
        return;
    case Kind::Pick:
        selection.clear();
        SelectRegion(project, op.position);
        return;
    case Kind::MakeCurrent:
        SelectRegion(project, op.position);
        return;
    case Kind::SelectRange:
        selection.clear();
        for (int position = op.position; position < op.position + op.count; ++position)
            selection.set(*project.Regions[std::size_t(position)], SelectionState::Group);
        selection.setAnchor(op.position + op.count - 1);
        return;
    case Kind::SelectAlone:
        if (!region)
            return;
        if (project.Regions.size() > 1)
            selection.clear();
        selection.set(*region, SelectionState::Current);
        selection.setAnchor(op.position);
        return;
    case Kind::JoinGroup:
        if (!region)
            return;
        if (Region* current = selection.current())
            selection.set(*current, SelectionState::Group);
        selection.set(*region, SelectionState::Group);
        selection.setAnchor(op.position);
        return;
    case Kind::AddToGroup:
        if (region)
            selection.set(*region, SelectionState::Group);
        return;
    }
}

}  // namespace tolv
