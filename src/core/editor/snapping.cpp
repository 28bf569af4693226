#include "editor/snapping.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <tuple>

namespace tolv {

namespace {

struct AxisSnap {
    int correction = 0;
    std::optional<int> guide;
};

// `edges` in the order that wins at equal distance.
AxisSnap SnapAxis(std::initializer_list<int> edges, const std::vector<int>& targets, double scale)
{
    AxisSnap best;
    std::optional<std::tuple<std::int64_t, int, int>> bestRank;
    int order = 0;
    for (const int edge : edges) {
        for (const int target : targets) {
            const std::int64_t offset = std::int64_t(target) - edge;
            const auto rank = std::tuple(std::abs(offset), order, target);
            if (std::abs(offset) * scale > SnapThreshold || (bestRank && rank >= *bestRank))
                continue;
            bestRank = rank;
            best = {int(offset), target};
        }
        ++order;
    }
    return best;
}

Snap BothAxes(const AxisSnap& x, const AxisSnap& y)
{
    return {{x.correction, y.correction}, x.guide, y.guide};
}

}  // namespace

SnapTargets SnapTargetsOf(int frameWidth, int frameHeight, const std::vector<Rect>& others)
{
    SnapTargets targets{{0, frameWidth}, {0, frameHeight}};
    for (const Rect& other : others) {
        targets.x.insert(targets.x.end(), {other.left, other.right});
        targets.y.insert(targets.y.end(), {other.top, other.bottom});
    }
    return targets;
}

SnapTargets SnapTargetsOf(const Project& project)
{
    std::vector<Rect> others;
    for (const auto& region : project.Regions) {
        if (region->Visible && !project.selection.contains(*region))
            others.push_back({region->Left, region->Top, region->right(), region->bottom()});
    }
    return SnapTargetsOf(project.FrameAreaWidth, project.FrameAreaHeight, others);
}

Snap SnapMove(const Rect& moving, const SnapTargets& targets, double scale)
{
    return BothAxes(SnapAxis({moving.left, moving.right}, targets.x, scale),
                    SnapAxis({moving.top, moving.bottom}, targets.y, scale));
}

Snap SnapResize(const Rect& sizing, const SnapTargets& targets, double scale)
{
    return BothAxes(SnapAxis({sizing.right}, targets.x, scale), SnapAxis({sizing.bottom}, targets.y, scale));
}

}  // namespace tolv
