// Random runs of every edit, undo, redo, save and selection change, checked
// step by step against a model of the undo stack: the states undo and redo
// reach, which steps merge, the clean point, and a byte count that never
// wraps.
#include "document/document.h"

#include "core/document/sample_project.h"
#include "editor/frame_rule.h"
#include "editor/selection.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>

namespace tolv {
namespace {

// The project text and the editor's state beside it; Modified is checked on
// its own, since a save changes it without a step.
std::string StateOf(const Project& p)
{
    std::ostringstream state;
    state << ProjectText(p);
    for (const auto& region : p.Regions)
        state << region.get() << " " << int(p.selection.stateOf(*region)) << p.selection.positionOf(*region) << ";";
    state << " current " << p.selection.current() << " sel " << p.selection.anchor();
    return state.str();
}

std::vector<RegionGeometry> Geometries(const Project& p)
{
    std::vector<RegionGeometry> all;
    for (const auto& region : p.Regions)
        all.push_back(GeometryOf(*region));
    return all;
}

// The runs of edits that undo as one step.
enum class Run { None, Nudge, NudgeStep };

// One position of the modelled stack: the state there, and for the step
// that leads to it whether a later edit may merge into it.
struct ModelStep {
    std::string state;
    Run run = Run::None;
    // The regions the first nudge of a merged run changed.
    std::vector<int> changed;
    SelectionSnapshot after;
};

class HistoryModel {
public:
    explicit HistoryModel(const Document& document) : current_(StateOf(document.project()))
    {
        steps_.push_back({current_, Run::None, {}, {}});
    }

    // An edit that recorded a step, with the state before it and, for a
    // nudge, the regions it changed.
    void recorded(const Document& document, std::string before, const SelectionSnapshot& selectionBefore, Run run,
                  const std::vector<int>& changed)
    {
        steps_.resize(position_ + 1);
        if (clean_ && *clean_ > position_)
            clean_.reset();
        const ModelStep& top = steps_[position_];
        const bool merges = run != Run::None && top.run == run && clean_ != position_ && top.after == selectionBefore
                            && (run != Run::Nudge || top.changed == changed);
        current_ = StateOf(document.project());
        const SelectionSnapshot after = TakeSelection(document.project());
        if (merges) {
            steps_[position_].state = current_;
            steps_[position_].after = after;
            return;
        }
        // Undo comes back to the selection the edit found.
        steps_[position_].state = std::move(before);
        steps_.push_back({current_, run, changed, after});
        ++position_;
    }
    void undo()
    {
        if (position_ > 0)
            current_ = steps_[--position_].state;
    }
    void redo()
    {
        if (position_ + 1 < steps_.size())
            current_ = steps_[++position_].state;
    }
    void saved() { clean_ = position_; }
    // A selection change is no step: only the state at hand changes.
    void selected(const Document& document) { current_ = StateOf(document.project()); }

    const std::string& current() const { return current_; }
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < steps_.size(); }
    bool modified() const { return clean_ != position_; }
    std::size_t steps() const { return steps_.size() - 1; }

private:
    std::vector<ModelStep> steps_;
    std::size_t position_ = 0;
    std::optional<std::size_t> clean_ = 0;
    std::string current_;
};

class RandomRun {
public:
    RandomRun(unsigned seed, const std::string& folder)
        : random_(seed), document_(test::SampleProject(folder)), model_(document_)
    {}

    void step()
    {
        const int kind = pick(0, 21);
        SCOPED_TRACE("step of kind " + std::to_string(kind));
        if (kind == 0) {
            document_.undo();
            model_.undo();
        } else if (kind == 1) {
            document_.redo();
            model_.redo();
        } else if (kind == 2) {
            document_.save();
            model_.saved();
        } else if (kind == 3) {
            changeSelection();
        } else {
            edit(kind);
        }
        check();
    }

    std::size_t steps() const { return model_.steps(); }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    int coordinate() { return pick(0, 9) == 0 ? pick(-100000, 100000) : pick(-60, 700); }
    Region someRegion() { return Region(coordinate(), coordinate(), pick(-3, 80), pick(-3, 80)); }

    void changeSelection()
    {
        const std::string text = ProjectText(document_.project());
        const int count = int(document_.project().Regions.size());
        const int index = pick(-1, count);
        const bool join = pick(0, 2) == 0;
        using Kind = SelectionOp::Kind;
        if (index < 0 || index >= count)
            document_.changeSelection({Kind::DeselectAll});
        else
            document_.changeSelection({join ? Kind::JoinGroup : Kind::Pick, index});
        EXPECT_EQ(ProjectText(document_.project()), text);
        model_.selected(document_);
    }

    bool apply(int kind)
    {
        Document& d = document_;
        const Region* current = d.project().selection.current();
        switch (kind) {
        case 4:
            return d.addRegion(someRegion());
        case 5:
            return d.deleteSelected();
        case 6:
            return d.cutSelected();
        case 7:
            return d.pasteRegions(pick(0, 1) ? std::vector<Region>{someRegion()}
                                             : std::vector<Region>{Region(90, 10, 40, 40), someRegion()});
        case 8:
            return d.duplicateCurrent();
        case 9:
            return d.moveSelection({coordinate() / 4, coordinate() / 4});
        case 10:
            return d.resizeCurrent(pick(-5, 120), pick(-5, 120));
        case 11:
            return d.setCurrentGeometry({coordinate(), coordinate(), pick(-2, 90), pick(-2, 90)});
        case 12:
        case 13:
            return d.nudgeMove(pick(-3, 3), pick(-3, 3));
        case 14:
            return d.nudgeSize(pick(-3, 3), pick(-3, 3));
        case 15:
            return d.applyRegionCommand(pick(0, 1) ? RegionCommand::Hide : RegionCommand::Show);
        case 16:
            return d.setLockLayout(pick(0, 3) == 0);
        case 17: {
            if (!current)
                return d.setRegionProperties(Region());
            Region renamed = *current;
            renamed.Name = "Renamed " + std::to_string(pick(0, 3));
            renamed.OutputFile.set(std::size_t(pick(0, 49)), "row.bmp");
            return d.setRegionProperties(std::move(renamed));
        }
        case 18:
            return d.applyProjectSetup({{pick(0, 1) ? "f1.bmp" : "f3.bmp", "f2.bmp"}, pick(0, 1) == 1, "", ""});
        case 19:
            return d.setExtractionSwitches({pick(0, 1) == 1, pick(0, 1) == 1});
        default:
            return d.setNudgeStep(pick(1, 50));
        }
    }

    void edit(int kind)
    {
        const Run run = kind >= 12 && kind <= 14 ? Run::Nudge : kind >= 20 ? Run::NudgeStep : Run::None;
        std::string before = StateOf(document_.project());
        const SelectionSnapshot selectionBefore = TakeSelection(document_.project());
        const std::vector<RegionGeometry> geometryBefore = Geometries(document_.project());
        if (!apply(kind)) {
            EXPECT_EQ(StateOf(document_.project()), before) << "an edit that records nothing changes nothing";
            return;
        }
        std::vector<int> changed;
        const std::vector<RegionGeometry> after = Geometries(document_.project());
        for (std::size_t i = 0; run == Run::Nudge && i < after.size(); ++i)
            if (after[i] != geometryBefore[i])
                changed.push_back(int(i));
        model_.recorded(document_, std::move(before), selectionBefore, run, changed);
    }

    void check()
    {
        const Project& p = document_.project();
        EXPECT_EQ(document_.canUndo(), model_.canUndo());
        EXPECT_EQ(document_.canRedo(), model_.canRedo());
        EXPECT_EQ(p.Modified, model_.modified());
        EXPECT_EQ(StateOf(p), model_.current());
        // Well below anything a wrapped count would show.
        EXPECT_LT(document_.historyBytes(), std::size_t(1) << 32);
        EXPECT_EQ(document_.historyBytes() == 0, model_.steps() == 0);
    }

    std::mt19937 random_;
    Document document_;
    HistoryModel model_;
};

TEST(HistoryModel, RandomRunsOfEveryEditUndoAndRedoFollowTheModel)
{
    std::size_t longest = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        test::TempDir dir;
        RandomRun run(seed, dir.path().string());
        for (int i = 0; i < 120 && !testing::Test::HasFailure(); ++i)
            run.step();
        ASSERT_FALSE(testing::Test::HasFailure()) << "seed " << seed;
        longest = std::max(longest, run.steps());
    }
    EXPECT_GT(longest, 20u) << "the runs reach deep stacks";
}

}  // namespace
}  // namespace tolv
