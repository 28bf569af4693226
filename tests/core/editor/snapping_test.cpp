#include "editor/snapping.h"

#include <gtest/gtest.h>

namespace tolv {
namespace {

enum class Drag { Move, Resize };

// On a 600 x 400 frame beside the other rectangles (by default one at
// 100,100 to 150,150).
struct SnapCase {
    const char* name;
    Drag drag;
    Rect rect;
    double scale;
    Snap snap;
    std::vector<Rect> others{{100, 100, 150, 150}};
};

TEST(Snapping, PullsTheNearestEdgeWithinSixScreenPixels)
{
    const SnapCase cases[] = {
        {"SixFramePixelsAtOneHundred", Drag::Move, {156, 300, 176, 320}, 1, {{-6, 0}, 150, {}}},
        {"SevenFramePixelsAtOneHundred", Drag::Move, {157, 300, 177, 320}, 1, {}},
        {"OneFramePixelAtFourHundred", Drag::Move, {151, 300, 171, 320}, 4, {{-1, 0}, 150, {}}},
        {"TwoFramePixelsAtFourHundred", Drag::Move, {152, 300, 172, 320}, 4, {}},
        {"NearerEdgeWins", Drag::Move, {95, 300, 146, 320}, 1, {{4, 0}, 150, {}}},
        {"LeftAndTopWinAtEqualDistance", Drag::Move, {97, 97, 147, 147}, 1, {{3, 3}, 100, 100}},
        {"SmallerTargetWinsAtEqualDistance",
         Drag::Move,
         {103, 300, 123, 320},
         1,
         {{-3, 0}, 100, {}},
         {{100, 0, 130, 10}, {106, 0, 140, 10}}},
        {"FrameEdgesOnBothAxes", Drag::Move, {3, 370, 40, 398}, 1, {{-3, 2}, 0, 400}},
        {"ResizeSnapsOnlyRightAndBottom", Drag::Resize, {97, 97, 147, 146}, 1, {{3, 4}, 150, 150}},
        {"ResizeIgnoresANearLeftEdge", Drag::Resize, {101, 300, 200, 320}, 1, {}},
    };
    for (const SnapCase& c : cases) {
        const SnapTargets targets = SnapTargetsOf(600, 400, c.others);
        const Snap snap =
            c.drag == Drag::Move ? SnapMove(c.rect, targets, c.scale) : SnapResize(c.rect, targets, c.scale);
        EXPECT_EQ(snap, c.snap) << c.name;
    }
}

TEST(SnapTargets, AreTheFrameAndTheVisibleRegionsOutsideTheSelection)
{
    Project project;
    project.FrameAreaWidth = 320;
    project.FrameAreaHeight = 200;
    const Rect rects[] = {{10, 10, 30, 30}, {40, 40, 60, 60}, {70, 70, 90, 90}, {100, 100, 120, 120}};
    for (const Rect& r : rects)
        project.Regions.push_back(std::make_unique<Region>(r.left, r.top, r.width(), r.height()));
    project.RegionListChanged();
    project.selection.set(*project.Regions[1], SelectionState::Group);
    project.selection.set(*project.Regions[0], SelectionState::Current);
    project.Regions[3]->Visible = false;

    const SnapTargets targets = SnapTargetsOf(project);
    EXPECT_EQ(targets.x, (std::vector<int>{0, 320, 70, 90}));
    EXPECT_EQ(targets.y, (std::vector<int>{0, 200, 70, 90}));
}

}  // namespace
}  // namespace tolv
