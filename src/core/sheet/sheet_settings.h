#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolv {

class IniReader;
class IniWriter;

// How the frames of a sheet are arranged: side by side, one below the other,
// in a grid of equal cells `Columns` wide, or packed as tightly as they fit.
enum class SheetArrangement : std::uint8_t { Row, Column, Grid, Packed };

// Whether a sheet's sides are any size or each rounded up to a power of two,
// which older graphics hardware needs.
enum class SheetSizing : std::uint8_t { Free, PowerOfTwo };

// What decides where each frame sits on the sheet.
struct SheetLayout {
    SheetArrangement Arrangement = SheetArrangement::Row;
    int Columns = 1;
    // Pixels left between frames.
    int Padding = 0;
    // Pixels around each frame that repeat its edge, so that filtering at a
    // frame's border does not take in its neighbour.
    int Extrude = 0;
    // Each frame cut down to the box of its pixels that are not background.
    bool Trim = false;
    SheetSizing Sizing = SheetSizing::Free;

    bool operator==(const SheetLayout&) const = default;
};

// A point of a clip, from its top left corner.
struct SheetPivot {
    int X = 0;
    int Y = 0;
    bool operator==(const SheetPivot&) const = default;
};

// The sprite sheet a clip region asks for. Kept in the region's section under
// keys of their own, which older readers pass over; a region without a sheet
// writes none of them.
struct SheetSettings {
    // The sheet's name in VidIziz; empty for no sheet.
    std::string File;
    SheetLayout Layout;
    // Only the sheet is written, not the clips it is made of.
    bool SheetOnly = false;
    // Milliseconds each frame shows; 0 for the Animate delay of Preferences.
    int FrameTime = 0;
    // Nothing for the centre of the clip.
    std::optional<SheetPivot> Pivot;

    bool enabled() const { return !File.empty(); }
    bool operator==(const SheetSettings&) const = default;
};

// "row", "column", "grid:N" or "packed"; nothing for any other text.
std::optional<SheetLayout> ParseArrangement(std::string_view text, SheetLayout layout = {});
std::string ArrangementText(const SheetLayout& layout);

// A missing or unreadable key leaves its default, so that a file written by a
// later version still opens.
SheetSettings ReadSheetSettings(const IniReader& ini, const std::string& section);
// Writes nothing for a region without a sheet.
void WriteSheetSettings(IniWriter& ini, const std::string& section, const SheetSettings& sheet);

}  // namespace tolv
