#include "editor/frame_marks.h"

#include <algorithm>
#include <cstdint>

namespace tolv {

namespace {

// Reads one UTF-8 sequence at `pos` and returns its code point folded to
// lower case (ASCII and U+00C0..U+00DE); bytes that do not form a sequence
// are returned as they stand, so invalid text still compares byte-wise.
std::uint32_t NextFolded(std::string_view text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) {
        return (lead >= 'A' && lead <= 'Z') ? lead + 0x20u : lead;
    }
    if ((lead & 0xE0) == 0xC0 && pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) {
        const std::uint32_t code = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(text[pos++]) & 0x3Fu);
        const bool upperLatin1 = code >= 0xC0 && code <= 0xDE && code != 0xD7;
        return upperLatin1 ? code + 0x20 : code;
    }
    // Other bytes (longer sequences, stray continuation bytes) stand for
    // themselves, kept apart from the folded code points above.
    return 0x110000u + lead;
}

// An empty input cell names no frame, not even the empty name of "no frame".
bool ListsFrame(const Region& region, const std::string& frameName)
{
    return std::any_of(region.InputFrame.begin(), region.InputFrame.end(), [&](const std::string& input) {
        return !input.empty() && SameNameIgnoringCase(input, frameName);
    });
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (NextFolded(a, i) != NextFolded(b, j)) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

std::u32string FoldedName(std::string_view name)
{
    std::u32string key;
    for (std::size_t i = 0; i < name.size();) {
        key.push_back(char32_t(NextFolded(name, i)));
    }
    return key;
}

bool PaintsIntoFrames(const Region& region)
{
    return region.RegionType == RegionKind::TextBox || region.RegionType == RegionKind::Overlay;
}

PaintedRegions RegionsPaintedOn(const Project& project, const std::string& frameName)
{
    PaintedRegions painted;
    for (const auto& region : project.Regions) {
        if (PaintsIntoFrames(*region) && ListsFrame(*region, frameName))
            painted.push_back(region.get());
    }
    return painted;
}

}  // namespace tolv
