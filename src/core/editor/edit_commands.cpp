#include "editor/edit_commands.h"

#include "project/region_overlay.h"

#include <algorithm>
#include <cctype>

namespace tolv {

void ChangeNudge(Project& project, int delta)
{
    // Widened so that no delta can wrap the step around.
    const long long step = (long long)project.NudgeStep + delta;
    project.NudgeStep = int(std::clamp<long long>(step, MinNudgeStep, MaxNudgeStep));
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
    auto copy = ConstructRegion(project, source.Left, source.Top, source.Width, source.Height);
    copy->Name = "Duplicate: " + source.Name;
    copy->OVLName = source.OVLName;
    copy->RegionType = source.RegionType;
    copy->InputFrame = source.InputFrame;
    copy->OutputFile = source.OutputFile;
    copy->Title = source.Title;
    copy->LineWidth = source.LineWidth;
    copy->TitleHeight = source.TitleHeight;
    copy->OnCurrentFrame = source.OnCurrentFrame;
    LoadMergeBMP(*copy);
    copy->TitleColor = source.TitleColor;
    copy->BoxColor = source.BoxColor;
    return copy;
}

}  // namespace tolv
