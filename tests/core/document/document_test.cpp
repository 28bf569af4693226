#include "document/document.h"

#include "core/document/sample_project.h"
#include "editor/frame_rule.h"
#include "editor/selection.h"
#include "platform/image/bitmap.h"
#include "platform/io/files.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

namespace tolv {
namespace {

void SelectFirstAndLast(Document& document)
{
    document.changeSelection({SelectionOp::Kind::AddToGroup, 0});
    document.changeSelection({SelectionOp::Kind::JoinGroup, int(document.project().Regions.size()) - 1});
}

// Everything that undo must bring back: the bytes a save writes, and the
// editor's state that is not saved, down to which objects are in the list.
using State = std::pair<std::string, std::string>;

State StateOf(const Document& document)
{
    const Project& p = document.project();
    std::ostringstream editor;
    for (const auto& region : p.Regions)
        editor << region.get() << " overlay " << region->MergeImage.get() << " pick " << p.selection.positionOf(*region)
               << " state " << int(p.selection.stateOf(*region)) << "; ";
    editor << "current " << p.selection.current() << " sel " << p.selection.anchor() << " frame " << p.CurrentFrame
           << " area " << p.FrameAreaWidth << "x" << p.FrameAreaHeight << " status " << int(p.FrameStatus[0])
           << int(p.FrameStatus[2]) << " modified " << p.Modified;
    return {ProjectText(p), editor.str()};
}

class DocumentTest : public testing::Test {
protected:
    DocumentTest()
    {
        SelectFirstAndLast(document);
        EXPECT_TRUE(region(0)->MergeImage);
    }

    Region* region(int position) const { return document.project().Regions[std::size_t(position)].get(); }

    test::TempDir dir;
    // The first and the last region selected, the middle one not.
    Document document{test::SampleProject(dir.path().string())};
};

struct EditCase {
    const char* name;
    std::function<bool(Document&)> edit;
    const char* undoText;
};

void PrintTo(const EditCase& edit, std::ostream* out)
{
    *out << edit.name;
}

Region ChangedProperties(const Region& current)
{
    Region record = current;
    record.Name = "Renamed";
    record.RegionType = RegionKind::TextBox;
    record.Title = true;
    record.InputFrame.set(7, "f2.bmp");
    record.OutputFile.set(7, "row8.bmp");
    record.Left = 1;
    return record;
}

const EditCase EditCases[] = {
    {"Add", [](Document& d) { return d.addRegion(Region(5, 60, 30, 30)); }, "Undo Add Region"},
    {"DeleteGroup", [](Document& d) { return d.deleteSelected(); }, "Undo Delete 2 Regions"},
    {"CutGroup", [](Document& d) { return d.cutSelected(); }, "Undo Cut 2 Regions"},
    {"Paste", [](Document& d) { return d.pasteRegions({Region(90, 10, 40, 40)}); }, "Undo Paste Region"},
    {"MoveGroup",
     [](Document& d) {
         return d.moveSelection({3, -4});
     },
     "Undo Move 2 Regions"},
    {"Resize", [](Document& d) { return d.resizeCurrent(55, 44); }, "Undo Resize Region"},
    {"SetGeometry",
     [](Document& d) {
         return d.setCurrentGeometry({-5, 7, 8, 9});
     },
     "Undo Set Geometry"},
    {"NudgeMove", [](Document& d) { return d.nudgeMove(0, 1); }, "Undo Nudge 2 Regions"},
    {"NudgeSize", [](Document& d) { return d.nudgeSize(2, 2); }, "Undo Nudge 2 Regions"},
    {"Duplicate", [](Document& d) { return d.duplicateCurrent(); }, "Undo Duplicate Region"},
    {"Hide", [](Document& d) { return d.applyRegionCommand(RegionCommand::Hide); }, "Undo Hide Region"},
    {"HideAnother", [](Document& d) { return d.setRegionVisible(0, false); }, "Undo Hide Region"},
    {"ReorderDown", [](Document& d) { return d.moveRegion(0, 2); }, "Undo Reorder Region"},
    {"ReorderUp", [](Document& d) { return d.moveRegion(2, 1); }, "Undo Reorder Region"},
    {"LockLayout", [](Document& d) { return d.setLockLayout(true); }, "Undo Lock Layout"},
    {"Properties",
     [](Document& d) { return d.setRegionProperties(ChangedProperties(*d.project().selection.current())); },
     "Undo Region Properties"},
    {"ProjectSetup",
     [](Document& d) {
         return d.applyProjectSetup({{"f2.bmp", "f3.bmp", "f4.bmp"}, true, "r", "j"});
     },
     "Undo Project Setup"},
    {"FrameOrder",
     [](Document& d) {
         return d.applyProjectSetup({{"f2.bmp", "f1.bmp"}, false, "", ""});
     },
     "Undo Project Setup"},
    {"ExtractionSwitches",
     [](Document& d) {
         return d.setExtractionSwitches({false, true});
     },
     "Undo Extraction Switches"},
    {"NudgeStep", [](Document& d) { return d.setNudgeStep(7); }, "Undo Nudge Step"},
};

class EditRoundTrip : public DocumentTest, public testing::WithParamInterface<EditCase> {};

TEST_P(EditRoundTrip, UndoRestoresTheStateBeforeAndRedoTheStateAfter)
{
    const State before = StateOf(document);
    ASSERT_TRUE(GetParam().edit(document));
    const State after = StateOf(document);
    EXPECT_NE(after, before);
    EXPECT_TRUE(document.project().Modified);
    EXPECT_EQ(document.undoText(), GetParam().undoText);

    document.undo();
    EXPECT_EQ(StateOf(document), before);
    EXPECT_EQ(document.redoText(), "Redo" + std::string(GetParam().undoText).substr(4));
    document.redo();
    EXPECT_EQ(StateOf(document), after);
}

INSTANTIATE_TEST_SUITE_P(Edits, EditRoundTrip, testing::ValuesIn(EditCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentTest, EditsThatChangeNothingRecordNoStep)
{
    const State before = StateOf(document);
    EXPECT_FALSE(document.moveSelection({0, 0}));
    EXPECT_FALSE(document.resizeCurrent(40, 40));
    EXPECT_FALSE(document.applyRegionCommand(RegionCommand::Show));
    EXPECT_FALSE(document.setExtractionSwitches({true, true}));
    EXPECT_FALSE(document.setCurrentGeometry({90, 10, 40, 40}));
    EXPECT_FALSE(document.setNudgeStep(1));
    EXPECT_FALSE(document.pasteRegions({}));
    EXPECT_FALSE(document.setRegionVisible(1, true));
    EXPECT_FALSE(document.setRegionVisible(3, false));
    EXPECT_FALSE(document.moveRegion(1, 1));
    EXPECT_FALSE(document.moveRegion(0, 3));
    document.setLockLayout(true);
    EXPECT_FALSE(document.deleteSelected());
    EXPECT_FALSE(document.cutSelected());
    EXPECT_FALSE(document.setCurrentGeometry({0, 0, 50, 50}));
    document.undo();
    EXPECT_EQ(StateOf(document), before);
}

TEST_F(DocumentTest, PastedRegionsShiftTogetherOverAnEqualRectangleAndBecomeTheSelection)
{
    const auto corner = [this](int position) { return Point{region(position)->Left, region(position)->Top}; };
    document.pasteRegions({Region(0, 100, 10, 10)});
    EXPECT_EQ(corner(3), (Point{0, 100}));

    document.pasteRegions({Region(0, 200, 10, 10), Region(90, 10, 40, 40)});
    EXPECT_EQ(corner(4), (Point{10, 210}));
    EXPECT_EQ(corner(5), (Point{100, 20}));
    for (int position = 0; position < 6; ++position)
        EXPECT_EQ(document.project().selection.stateOf(*region(position)),
                  position >= 4 ? SelectionState::Group : SelectionState::None);
    EXPECT_EQ(document.project().selection.current(), region(5));
    EXPECT_EQ(document.project().selection.anchor(), 5);
}

// Each edit of geometry asks for a place far off the 600 x 400 frame area.
const EditCase OffFrameEdits[] = {
    {"Move",
     [](Document& d) {
         return d.moveSelection({99999, -99999});
     },
     "Undo Move 2 Regions"},
    {"Resize", [](Document& d) { return d.resizeCurrent(-5, 0); }, "Undo Resize Region"},
    {"SetGeometry",
     [](Document& d) {
         return d.setCurrentGeometry({99999, 2000, 5000, 40});
     },
     "Undo Set Geometry"},
    {"NudgeMove", [](Document& d) { return d.nudgeMove(-99999, 0); }, "Undo Nudge 2 Regions"},
    {"NudgeSize", [](Document& d) { return d.nudgeSize(-999, -999); }, "Undo Nudge 2 Regions"},
    {"Paste",
     [](Document& d) {
         return d.pasteRegions({Region(99999, 99999, 0, 0), Region(-50, -50, 0, 0)});
     },
     "Undo Paste 2 Regions"},
    {"Add", [](Document& d) { return d.addRegion(Region(-99, 10, 50, 50)); }, "Undo Add Region"},
};

class OffFrameEdit : public DocumentTest, public testing::WithParamInterface<EditCase> {};

TEST_P(OffFrameEdit, LeavesEveryRegionOnTheFrame)
{
    ASSERT_TRUE(GetParam().edit(document));
    EXPECT_EQ(document.undoText(), GetParam().undoText);
    for (const auto& region : document.project().Regions)
        EXPECT_TRUE(FrameRule::Of(document.project()).holds(GeometryOf(*region))) << region->Name;
}

INSTANTIATE_TEST_SUITE_P(Edits, OffFrameEdit, testing::ValuesIn(OffFrameEdits),
                         [](const auto& info) { return std::string(info.param.name); });

// The lock is a rule of the document, not of the views that offer the edits.
TEST_F(DocumentTest, ALockedLayoutRefusesEveryGeometryEditAndDeletion)
{
    ASSERT_TRUE(document.setLockLayout(true));
    const State locked = StateOf(document);
    for (const char* refused :
         {"MoveGroup", "Resize", "SetGeometry", "NudgeMove", "NudgeSize", "DeleteGroup", "CutGroup"}) {
        const auto edit = std::find_if(std::begin(EditCases), std::end(EditCases),
                                       [&](const EditCase& c) { return std::string(c.name) == refused; });
        ASSERT_NE(edit, std::end(EditCases));
        EXPECT_FALSE(edit->edit(document)) << refused;
        EXPECT_EQ(StateOf(document), locked) << refused;
    }
}

TEST_F(DocumentTest, CopiesPastedOrDuplicatedAgainLandBesideTheCopyBefore)
{
    const auto corner = [this](int position) { return Point{region(position)->Left, region(position)->Top}; };
    document.pasteRegions({Region(90, 10, 40, 40)});
    document.pasteRegions({Region(90, 10, 40, 40)});
    EXPECT_EQ(corner(3), (Point{100, 20}));
    EXPECT_EQ(corner(4), (Point{110, 30}));
    document.changeSelection({SelectionOp::Kind::Pick, 1});
    document.duplicateCurrent();
    document.changeSelection({SelectionOp::Kind::Pick, 1});
    document.duplicateCurrent();
    EXPECT_EQ(corner(5), (Point{60, 20}));
    EXPECT_EQ(corner(6), (Point{70, 30}));
}

TEST_F(DocumentTest, SaveAsLooksAtTheFramesOfTheNewFolder)
{
    test::TempDir other;
    SaveBmp(Bitmap(800, 700, 24), JoinPath(other.path().string(), "f2.bmp"));
    std::vector<DocumentChange> heard;
    document.subscribe([&](const DocumentChange& change) { heard.push_back(change); });
    document.saveAs(other.path().string(), "moved.qvl");
    EXPECT_EQ(document.project().FrameStatusOf(1), FrameMissing);
    EXPECT_EQ(document.project().FrameStatusOf(2), FrameLoaded);
    EXPECT_EQ(document.project().FrameAreaWidth, 800);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].fileNameChanged && heard[0].frameListChanged);
    EXPECT_FALSE(document.project().Modified);
}

TEST_F(DocumentTest, ARunOfNudgeStepChangesUndoesAsOne)
{
    for (int step : {2, 3, 4})
        document.setNudgeStep(step);
    EXPECT_TRUE(document.project().Modified);
    document.undo();
    EXPECT_EQ(document.project().NudgeStep, 1);
    EXPECT_FALSE(document.canUndo());
}

TEST_F(DocumentTest, ThePreviewSwitchTheProjectKeepsIsAnEditOfItsOwn)
{
    const bool shown = document.project().ShowPreview;
    EXPECT_FALSE(document.setShowPreview(shown));
    EXPECT_FALSE(document.canUndo());
    EXPECT_TRUE(document.setShowPreview(!shown));
    EXPECT_TRUE(document.project().Modified);
    EXPECT_EQ(document.undoText(), "Undo Show Preview");
    document.undo();
    EXPECT_EQ(document.project().ShowPreview, shown);
    EXPECT_FALSE(document.project().Modified);
}

TEST_F(DocumentTest, KeyboardNudgesOfOneSelectionUndoAsOneStep)
{
    const State before = StateOf(document);
    document.nudgeMove(1, 0);
    document.nudgeMove(1, 0);
    document.nudgeSize(0, 1);
    document.undo();
    EXPECT_EQ(StateOf(document), before);
    EXPECT_FALSE(document.canUndo());

    document.redo();
    document.changeSelection({SelectionOp::Kind::Pick, 1});
    document.nudgeMove(0, 5);
    document.undo();
    EXPECT_EQ(region(1)->Top, 10);
    EXPECT_EQ(region(0)->Left, 12);
    EXPECT_TRUE(document.canUndo());
}

TEST_F(DocumentTest, UndoIsOffWhileDisabled)
{
    document.nudgeMove(1, 0);
    document.setUndoEnabled(false);
    EXPECT_FALSE(document.canUndo());
    EXPECT_EQ(document.undoText(), "Undo");
    document.undo();
    EXPECT_EQ(region(0)->Left, 11);
    document.setUndoEnabled(true);
    EXPECT_EQ(document.undoText(), "Undo Nudge 2 Regions");
}

TEST_F(DocumentTest, ModifiedFollowsTheHistoryFromTheStateLoadedOrSaved)
{
    document.save();
    const std::string saved = test::ReadText(dir.file("test.qvl"));
    document.load(dir.file("test.qvl"));
    EXPECT_FALSE(document.project().Modified);
    EXPECT_FALSE(document.canUndo());

    document.changeSelection({SelectionOp::Kind::Pick, 0});
    document.nudgeMove(1, 0);
    EXPECT_TRUE(document.project().Modified);
    document.undo();
    EXPECT_FALSE(document.project().Modified);
    EXPECT_EQ(ProjectText(document.project()), saved);

    document.redo();
    document.save();
    EXPECT_FALSE(document.project().Modified);
    document.nudgeMove(1, 0);  // a step of its own: the saved state lies between
    document.undo();
    EXPECT_FALSE(document.project().Modified);
    document.undo();
    EXPECT_TRUE(document.project().Modified);

    document.nudgeMove(0, 1);  // the saved state is out of reach from here
    document.undo();
    EXPECT_TRUE(document.project().Modified);
}

TEST_F(DocumentTest, ObserversHearWhichRegionsWentAndCameBack)
{
    std::vector<DocumentChange> heard;
    document.subscribe([&](const DocumentChange& change) { heard.push_back(change); });
    Region* first = region(0);
    Region* last = region(2);

    document.deleteSelected();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].removed, (std::vector<Region*>{last, first}));
    EXPECT_TRUE(heard[0].added.empty() && heard[0].selectionChanged && heard[0].historyChanged);

    document.undo();
    EXPECT_EQ(heard[1].added, (std::vector<Region*>{first, last}));
    EXPECT_EQ(region(0), first);
    EXPECT_EQ(region(2), last);

    document.moveSelection({1, 1});
    EXPECT_EQ(heard[2].changed,
              (std::vector<RegionChange>{{first, RegionAspect::Geometry}, {last, RegionAspect::Geometry}}));
    EXPECT_FALSE(heard[2].selectionChanged || heard[2].frameListChanged || !heard[2].removed.empty());

    document.applyProjectSetup({{"f1.bmp"}, false, "", ""});
    EXPECT_TRUE(heard[3].frameListChanged && heard[3].changed.empty());

    document.changeSelection({SelectionOp::Kind::DeselectAll});
    EXPECT_TRUE(heard[4].selectionChanged);
    EXPECT_FALSE(heard[4].historyChanged) << "a selection is no step";
}

// Every region with a full worksheet of long names, every edit touching
// the whole group or a whole record.
TEST(DocumentHistory, AThousandEditsOnTwoHundredRegionsStayFarBelowFiftyMegabytes)
{
    Project project;
    for (int i = 0; i < 200; ++i) {
        auto region = std::make_unique<Region>(i * 10, 0, 20, 20);
        region->Name = "Region number " + std::to_string(i) + " of the big project";
        for (int row = 0; row < WorksheetRows; ++row) {
            region->InputFrame.set(row, "animation_frame_" + std::to_string(row) + ".bmp");
            region->OutputFile.set(row, "output_clip_" + std::to_string(i) + "_" + std::to_string(row) + ".bmp");
        }
        project.selection.set(*region, SelectionState::Group);
        project.Regions.push_back(std::move(region));
    }
    project.FrameAreaWidth = 4000;  // room on the frame for every move
    Document document(std::move(project));

    for (int i = 0; i < 1000; ++i) {
        Region renamed = *document.project().selection.current();
        renamed.Name = "Renamed " + std::to_string(i);
        const RegionCommand hideOrShow = i % 8 == 3 ? RegionCommand::Hide : RegionCommand::Show;
        const bool recorded = i % 4 == 0   ? document.moveSelection({1, 0})
                              : i % 4 == 1 ? document.nudgeSize(1, 0)
                              : i % 4 == 2 ? document.setRegionProperties(std::move(renamed))
                                           : document.applyRegionCommand(hideOrShow);
        ASSERT_TRUE(recorded) << i;
    }
    const std::size_t bytes = document.historyBytes();
    testing::Test::RecordProperty("history_bytes", std::to_string(bytes));
    EXPECT_LT(bytes, 50u << 20);
    EXPECT_GT(bytes, 1000u * 200 * sizeof(RegionGeometry) / 4);
    int steps = 0;
    for (; document.canUndo(); ++steps)
        document.undo();
    EXPECT_EQ(steps, 1000);
}

}  // namespace
}  // namespace tolv

namespace tolv {
namespace {

struct OutsideWrite {
    const char* name;
    std::function<void(const std::string& path)> write;
};

class FileChangedOnDisk : public DocumentTest, public testing::WithParamInterface<OutsideWrite> {};

// Whatever another program does to the file, a save does not write over it
// unasked; the user may then overwrite it, and the next save is plain again.
TEST_P(FileChangedOnDisk, SaveRefusesUntilTheUserOverwrites)
{
    const std::string path = dir.file("test.qvl");
    document.save();
    document.nudgeMove(1, 0);
    GetParam().write(path);
    const std::string outside = std::filesystem::exists(path) ? test::ReadText(path) : "";
    EXPECT_FALSE(document.fileUnchanged());
    EXPECT_THROW(document.save(), FileChangedError);
    EXPECT_EQ(std::filesystem::exists(path) ? test::ReadText(path) : "", outside);
    EXPECT_TRUE(document.project().Modified);

    document.save(Document::SaveOver::AnyFile);
    EXPECT_EQ(test::ReadText(path), ProjectText(document.project()));
    EXPECT_TRUE(document.fileUnchanged());
    document.nudgeMove(1, 0);
    EXPECT_NO_THROW(document.save());
}

INSTANTIATE_TEST_SUITE_P(
    Writes, FileChangedOnDisk,
    testing::Values(OutsideWrite{"WrittenAnew",
                                 [](const std::string& path) { test::WriteText(path, "[Main]\r\nJob=filled\r\n"); }},
                    OutsideWrite{"RenamedOver",
                                 [](const std::string& path) {
                                     test::WriteText(path + ".new", test::ReadText(path));
                                     std::filesystem::rename(path + ".new", path);
                                 }},
                    OutsideWrite{"Removed", [](const std::string& path) { std::filesystem::remove(path); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentTest, AFileThatIsNoProjectLeavesTheProjectAndItsHistory)
{
    ASSERT_TRUE(document.nudgeMove(1, 0));
    const State before = StateOf(document);
    const std::string path = dir.file("picture.qvl");
    test::WriteText(path, std::string("BM\0\0[Main]\r\n", 12));
    EXPECT_THROW(document.load(path), NotAProjectError);
    EXPECT_EQ(StateOf(document), before);
    EXPECT_EQ(document.undoText(), "Undo Nudge 2 Regions");
}

TEST_F(DocumentTest, AFileInTheOlderLayoutOpensAsUnsavedEditsThatASaveClears)
{
    const std::string path = dir.file("old.qvl");
    test::WriteText(path, "[Main]\r\nRegions=1\r\n[Region1]\r\nName=a\r\n");
    document.load(path);
    EXPECT_TRUE(document.project().Modified);
    EXPECT_FALSE(document.canUndo());
    document.save();
    EXPECT_FALSE(document.project().Modified);
    document.load(path);
    EXPECT_FALSE(document.project().Modified) << "saved in the current layout";
}

TEST_F(DocumentTest, TheFileLoadedIsTheFileSeen)
{
    const std::string path = dir.file("test.qvl");
    test::WriteText(path, "[Main]\r\nJob=outside\r\n");
    EXPECT_THROW(document.save(), FileChangedError) << "the file came after the project was set up";
    document.load(path);
    EXPECT_TRUE(document.fileUnchanged());
    document.setLockLayout(true);
    EXPECT_NO_THROW(document.save());
}

}  // namespace
}  // namespace tolv
