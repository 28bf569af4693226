// The edits of the document: each runs the editor's own rule and records
// what it did as one step.
#include "document/document.h"

#include "document/project_edits.h"
#include "document/region_edits.h"
#include "editor/edit_commands.h"
#include "editor/region_rules.h"
#include "editor/selection.h"
#include "project/frame_examination.h"

namespace tolv {

namespace {

constexpr bool Mergeable = true;

std::vector<int> CurrentOnly(const Project& project)
{
    const int current = CurrentPosition(project);
    return current < 0 ? std::vector<int>{} : std::vector<int>{current};
}

// Puts each region where Landing says it lands.
void Land(const Project& project, const std::vector<Region*>& regions)
{
    std::vector<RegionGeometry> incoming;
    for (const Region* region : regions)
        incoming.push_back(GeometryOf(*region));
    const std::vector<RegionGeometry> landed = Landing(project, incoming);
    for (std::size_t i = 0; i < regions.size(); ++i)
        SetGeometry(*regions[i], landed[i]);
}

}  // namespace

template <typename Field, typename Edit>
bool Document::editRegions(StepName step, const std::vector<int>& positions, bool mergeable, Edit edit)
{
    if (positions.empty())
        return false;
    SelectionSnapshot selection = TakeSelection(project_);
    RegionEditRecorder<Field> recorder(project_, positions);
    edit();
    auto command = recorder.finish(project_, step, mergeable);
    if (!command) {
        syncModified();
        return false;
    }
    DocumentChange change;
    command->report(project_, change);
    record(std::move(command), std::move(selection), std::move(change));
    return true;
}

template <typename Field>
bool Document::editProject(typename Field::Value after)
{
    typename Field::Value before = Field::Read(project_);
    if (SameValue(before, after))
        return false;
    execute(std::make_unique<ProjectFieldEdit<Field>>(std::move(before), std::move(after)), std::nullopt);
    return true;
}

void Document::execute(std::unique_ptr<EditCommand> command, const std::optional<SelectionOp>& selectAfter)
{
    SelectionSnapshot selection = TakeSelection(project_);
    DocumentChange change;
    command->apply(project_, change);
    if (selectAfter)
        ApplySelectionOp(project_, *selectAfter);
    record(std::move(command), std::move(selection), std::move(change));
}

bool Document::insertRegion(StepName step, std::unique_ptr<Region> region, SelectionOp::Kind select)
{
    const int position = int(project_.Regions.size());
    std::vector<RegionListEdit::Slot> slots;
    slots.push_back({position, std::move(region)});
    execute(std::make_unique<RegionListEdit>(step, RegionListEdit::Direction::Insert, std::move(slots)),
            SelectionOp{select, position});
    return true;
}

// A region drawn with Shift held keeps the group members selected.
bool Document::addRegion(Region record)
{
    SetGeometry(record, FrameRule::Of(project_).place(GeometryOf(record)));
    return insertRegion(steps::AddRegion, std::make_unique<Region>(std::move(record)), SelectionOp::Kind::MakeCurrent);
}

bool Document::duplicateCurrent()
{
    const Region* source = project_.selection.current();
    if (!source)
        return false;
    std::unique_ptr<Region> copy = DuplicateRegion(project_, *source);
    Land(project_, {copy.get()});
    return insertRegion(steps::DuplicateRegion, std::move(copy), SelectionOp::Kind::Pick);
}

bool Document::pasteRegions(std::vector<Region> regions)
{
    if (regions.empty())
        return false;
    std::vector<Region*> landing;
    for (Region& region : regions)
        landing.push_back(&region);
    Land(project_, landing);
    const int first = int(project_.Regions.size());
    std::vector<RegionListEdit::Slot> slots;
    for (Region& region : regions)
        slots.push_back({first + int(slots.size()), std::make_unique<Region>(std::move(region))});
    const int count = int(slots.size());
    execute(std::make_unique<RegionListEdit>(steps::PasteRegions, RegionListEdit::Direction::Insert, std::move(slots)),
            SelectionOp{SelectionOp::Kind::SelectRange, first, count});
    return true;
}

// The layout lock keeps regions from being deleted, as the Delete key does.
bool Document::removeSelected(StepName step)
{
    std::vector<RegionListEdit::Slot> slots;
    for (int position : project_.selection.positions())
        slots.push_back({position, nullptr});
    if (slots.empty() || project_.LockObj)
        return false;
    execute(std::make_unique<RegionListEdit>(step, RegionListEdit::Direction::Remove, std::move(slots)),
            SelectionOp{SelectionOp::Kind::DeselectAll});
    return true;
}

bool Document::deleteSelected()
{
    return removeSelected(steps::DeleteRegions);
}

bool Document::cutSelected()
{
    return removeSelected(steps::CutRegions);
}

bool Document::moveSelection(Point offset)
{
    return editRegions<GeometryField>(steps::MoveRegions, project_.selection.positions(), !Mergeable,
                                      [&] { MoveSelectionBy(project_, offset); });
}

bool Document::resizeCurrent(int width, int height)
{
    if (project_.LockObj)
        return false;
    return editRegions<GeometryField>(steps::ResizeRegion, CurrentOnly(project_), !Mergeable,
                                      [&] { SetSize(project_, *project_.selection.current(), width, height); });
}

bool Document::setCurrentGeometry(RegionGeometry geometry)
{
    if (project_.LockObj)
        return false;
    return editRegions<GeometryField>(steps::SetGeometry, CurrentOnly(project_), !Mergeable, [&] {
        SetGeometry(*project_.selection.current(), FrameRule::Of(project_).place(geometry));
    });
}

bool Document::nudgeMove(int dx, int dy)
{
    return editRegions<GeometryField>(steps::NudgeRegions, project_.selection.positions(), Mergeable,
                                      [&] { MoveSelected(project_, dx, dy); });
}

bool Document::nudgeSize(int dw, int dh)
{
    return editRegions<GeometryField>(steps::NudgeRegions, project_.selection.positions(), Mergeable,
                                      [&] { SizeSelected(project_, dw, dh); });
}

bool Document::setShowPreview(bool shown)
{
    return editProject<ShowPreviewField>(shown);
}

bool Document::setNudgeStep(int step)
{
    return editProject<NudgeStepField>(step);
}

bool Document::applyRegionCommand(RegionCommand command)
{
    Region* region = project_.selection.current();
    const std::optional<bool> visible = region ? VisibilityAfter(*region, command) : std::nullopt;
    if (!visible)
        return false;
    const StepName step = command == RegionCommand::Hide ? steps::HideRegion : steps::ShowRegion;
    return editRegions<VisibilityField>(step, CurrentOnly(project_), !Mergeable, [&] { region->Visible = *visible; });
}

bool Document::setRegionVisible(int position, bool visible)
{
    if (position < 0 || position >= int(project_.Regions.size()))
        return false;
    Region& region = *project_.Regions[std::size_t(position)];
    const StepName step = visible ? steps::ShowRegion : steps::HideRegion;
    return editRegions<VisibilityField>(step, {position}, !Mergeable, [&] { region.Visible = visible; });
}

bool Document::moveRegion(int from, int to)
{
    const int count = int(project_.Regions.size());
    if (from == to || from < 0 || to < 0 || from >= count || to >= count)
        return false;
    execute(std::make_unique<RegionOrderEdit>(from, to), std::nullopt);
    return true;
}

bool Document::setRegionProperties(Region record)
{
    Region* region = project_.selection.current();
    if (!region)
        return false;
    return editRegions<PropertiesField>(steps::RegionProperties, CurrentOnly(project_), !Mergeable,
                                        [&] { *region = std::move(record); });
}

bool Document::setLockLayout(bool locked)
{
    return editProject<LockLayoutField>(locked);
}

bool Document::setExtractionSwitches(ExtractionSwitches switches)
{
    return editProject<ExtractionSwitchesField>(switches);
}

// The frames are examined in a project of their own, so that the step holds
// the result and undo and redo need no file.
bool Document::applyProjectSetup(ProjectSetup setup)
{
    Project examined;
    examined.ProjectFolder = project_.ProjectFolder;
    examined.SetFrameNames(std::move(setup.FrameNames));
    ExamineFrames(examined);
    setup.FrameNames = examined.FrameNames;
    return editProject<FrameSetupField>(
        {std::move(setup), examined.FrameStatus, examined.FrameAreaWidth, examined.FrameAreaHeight, 1});
}

}  // namespace tolv
