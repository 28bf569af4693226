#include "editor/edit_commands.h"

#include "platform/saturating.h"
#include "project/region_fields.h"
#include "project/region_overlay.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <unordered_set>

namespace tolv {

namespace {

// Far enough for a copy to show beside what it was copied from.
constexpr Point LandingStep{10, 10};
// A paste of many regions onto a project of many may find every step taken
// for a long way; it lands at the last one tried rather than search on.
constexpr int MostLandingSteps = 64;

struct GeometryHash {
    std::size_t operator()(const RegionGeometry& g) const
    {
        const std::uint64_t a = (std::uint64_t(std::uint32_t(g.Left)) << 32) | std::uint32_t(g.Top);
        const std::uint64_t b = (std::uint64_t(std::uint32_t(g.Width)) << 32) | std::uint32_t(g.Height);
        return std::hash<std::uint64_t>()(a * 0x9E3779B97F4A7C15ull ^ b);
    }
};

}  // namespace

int ChangeNudge(int step, int delta)
{
    // Widened so that no delta can wrap the step around.
    return int(std::clamp<long long>((long long)step + delta, MinNudgeStep, MaxNudgeStep));
}

std::string NudgeText(int step)
{
    return "Nudge step set to " + std::to_string(step) + ".";
}

std::optional<int> ParseNudgeFactor(std::string_view text)
{
    const auto blank = [](char c) { return std::isspace((unsigned char)c) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    // Any number of digits: a value past the range is simply the range's end.
    int value = 0;
    for (char digit : text)
        value = std::min(value * 10 + (digit - '0'), MaxNudgeStep + 1);
    return std::clamp(negative ? -value : value, MinNudgeStep, MaxNudgeStep);
}

std::unique_ptr<Region> DuplicateRegion(Project& project, const Region& source)
{
    auto copy = std::make_unique<Region>();
    CopyPersistentFields(source, *copy);
    copy->Name = "Duplicate: " + source.Name;
    // A duplicate is shown, so that the user sees what the command made.
    copy->Visible = true;
    LoadOverlay(*copy, project.ProjectFolder);
    return copy;
}

std::vector<RegionGeometry> Landing(const Project& project, const std::vector<RegionGeometry>& incoming)
{
    std::unordered_set<RegionGeometry, GeometryHash> there;
    for (const auto& region : project.Regions)
        there.insert(GeometryOf(*region));
    const FrameRule rule = FrameRule::Of(project);
    std::vector<RegionGeometry> landed(incoming.size());
    for (int step = 0; step <= MostLandingSteps; ++step) {
        bool meets = false;
        for (std::size_t i = 0; i < incoming.size(); ++i) {
            RegionGeometry shifted = incoming[i];
            shifted.Left = SaturatingAdd(shifted.Left, step * LandingStep.x);
            shifted.Top = SaturatingAdd(shifted.Top, step * LandingStep.y);
            landed[i] = rule.place(shifted);
            meets = meets || there.count(landed[i]) > 0;
        }
        if (!meets)
            break;
    }
    return landed;
}

}  // namespace tolv
