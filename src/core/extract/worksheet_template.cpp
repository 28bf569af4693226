#include "extract/worksheet_template.h"

#include "editor/frame_marks.h"
#include "extract/output_name.h"
#include "platform/io/files.h"
#include "project/storable_names.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace tolv {

namespace {

enum class PartKind { Text, RegionName, FrameName, Number };

struct TemplatePart {
    PartKind kind = PartKind::Text;
    std::string text;
    int width = 0;
};

using OutputTemplate = std::vector<TemplatePart>;

std::optional<int> ParseNumber(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

TemplatePart FieldPart(std::string_view field)
{
    if (field == "region")
        return {PartKind::RegionName, {}, 0};
    if (field == "frame")
        return {PartKind::FrameName, {}, 0};
    if (field == "n")
        return {PartKind::Number, {}, 0};
    // {n:0W}: W of one or two digits, read together with the 0 that asks for zeros.
    const std::string_view width = field.substr(std::min<std::size_t>(2, field.size()));
    if (field.starts_with("n:0") && width.size() <= 2) {
        if (const std::optional<int> digits = ParseNumber(width))
            return {PartKind::Number, {}, *digits};
    }
    throw FillError("Unknown template field {" + std::string(field) + "}.");
}

void AddText(OutputTemplate& parts, char c)
{
    if (parts.empty() || parts.back().kind != PartKind::Text)
        parts.push_back({PartKind::Text, {}, 0});
    parts.back().text += c;
}

// Read once, so a template is refused for its text even when no row uses it.
OutputTemplate ParseTemplate(std::string_view text)
{
    OutputTemplate parts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool brace = c == '{' || c == '}';
        if (brace && i + 1 < text.size() && text[i + 1] == c) {
            AddText(parts, c);
            ++i;
        } else if (c == '}') {
            throw FillError("Template brace } has no {; write }} for a brace.");
        } else if (c == '{') {
            const std::size_t close = text.find('}', i);
            if (close == std::string_view::npos)
                throw FillError("Template field " + std::string(text.substr(i)) + " has no }.");
            parts.push_back(FieldPart(text.substr(i + 1, close - i - 1)));
            i = close;
        } else {
            AddText(parts, c);
        }
    }
    return parts;
}

std::string ZeroPadded(int number, int width)
{
    std::string digits = std::to_string(number);
    if (int(digits.size()) < width)
        digits.insert(0, std::size_t(width) - digits.size(), '0');
    return digits;
}

std::string NameWithoutExtension(std::string_view path)
{
    const std::string name = NamePart(path);
    return name.substr(0, name.rfind('.'));
}

std::string Expand(const OutputTemplate& parts, std::string_view regionName, const std::string& frame, int number)
{
    std::string name;
    for (const TemplatePart& part : parts) {
        switch (part.kind) {
        case PartKind::Text:
            name += part.text;
            break;
        case PartKind::RegionName:
            name += regionName;
            break;
        case PartKind::FrameName:
            name += NameWithoutExtension(frame);
            break;
        case PartKind::Number:
            name += ZeroPadded(number, part.width);
            break;
        }
    }
    return name;
}

}  // namespace

std::optional<std::string> FrameRangeFault(FrameRange range)
{
    if (range.from < 1)
        return "The frame range starts at position 1 at the earliest.";
    if (range.to < range.from)
        return "The frame range runs backwards: " + std::to_string(range.to) + " comes before "
               + std::to_string(range.from) + ".";
    if (range.step < 1)
        return "The frame range steps by 1 or more.";
    return std::nullopt;
}

std::optional<FrameRange> ParseFrameRange(std::string_view text)
{
    std::optional<int> step = 1;
    if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
        step = ParseNumber(text.substr(colon + 1));
        text = text.substr(0, colon);
    }
    const std::size_t dash = text.find('-');
    const std::optional<int> from = ParseNumber(text.substr(0, dash));
    const std::optional<int> to = dash == std::string_view::npos ? from : ParseNumber(text.substr(dash + 1));
    if (!from || !to || !step)
        return std::nullopt;
    const FrameRange range{*from, *to, *step};
    if (FrameRangeFault(range))
        return std::nullopt;
    return range;
}

WorksheetFill PlanFill(const Project& project, const Region& region, FrameRange range, std::string_view outputTemplate)
{
    return PlanFill(project.FrameNames, region.Name, range, outputTemplate);
}

WorksheetFill PlanFill(std::span<const std::string> frameNames, std::string_view regionName, FrameRange range,
                       std::string_view outputTemplate)
{
    const OutputTemplate parts = ParseTemplate(outputTemplate);
    if (const std::optional<std::string> fault = FrameRangeFault(range))
        throw FillError(*fault);
    const int last = std::min(range.to, int(frameNames.size()));
    WorksheetFill fill;
    // Wide enough that a huge step cannot wrap around.
    for (long long position = range.from; position <= last && fill.rows < WorksheetRows; position += range.step) {
        const std::string& frame = frameNames[std::size_t(position - 1)];
        std::string output = Expand(parts, regionName, frame, fill.rows + 1);
        // In the extraction's own words, which would refuse the row later anyway.
        if (IsUnsafeOutputName(output))
            throw FillError(UnsafeNameRefusal(output));
        fill.InputFrame[fill.rows] = frame;
        fill.OutputFile[fill.rows] = std::move(output);
        ++fill.rows;
    }
    // Emptying the worksheet is no fill; Clear Row is there for that.
    if (fill.rows == 0)
        throw FillError("No frame of the frame list lies in this range.");
    if (const std::optional<std::string> reason = UnstorableWorksheetReason(fill.InputFrame, fill.OutputFile))
        throw FillError(*reason);
    return fill;
}

Region WithFrameToggled(const Project& project, const Region& region, int position)
{
    const std::string& frame = project.FrameNames.at(std::size_t(position - 1));
    WorksheetFill cells;
    for (int row = 0; row < WorksheetRows; ++row) {
        cells.InputFrame[std::size_t(row)] = region.InputFrame[row];
        cells.OutputFile[std::size_t(row)] = region.OutputFile[row];
    }
    bool taken = false;
    for (int row = WorksheetRows - 1; row >= 0; --row) {
        if (SameNameIgnoringCase(cells.InputFrame[std::size_t(row)], frame)) {
            DeleteRow(cells, row);
            taken = true;
        }
    }
    if (!taken) {
        // After the last row in use, so that the rows keep their order.
        int free = 0;
        for (int row = 0; row < WorksheetRows; ++row)
            if (region.rowInUse(row))
                free = row + 1;
        if (free == WorksheetRows)
            throw FillError("Every row of the worksheet is in use.");
        std::string number = std::to_string(position);
        number.insert(0, number.size() < 3 ? 3 - number.size() : 0, '0');
        const WorksheetFill fill =
            PlanFill(project, region, FrameRange{position, position, 1}, "{region}_" + number + ".bmp");
        cells.InputFrame[std::size_t(free)] = fill.InputFrame[0];
        cells.OutputFile[std::size_t(free)] = fill.OutputFile[0];
    }
    Region toggled = region;
    ApplyFill(toggled, cells);
    return toggled;
}

void ApplyFill(Region& region, const WorksheetFill& fill)
{
    for (int row = 0; row < WorksheetRows; ++row)
        SetFilenames(region, row + 1, fill.InputFrame[row], fill.OutputFile[row]);
}

}  // namespace tolv
