#pragma once

#include "platform/image/bitmap.h"
#include "platform/image/color.h"
#include "platform/io/content_hash.h"
#include "project/worksheet_column.h"
#include "sheet/sheet_settings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tolv {

// What a region does with its frames. The stored value (key Backgrnd) is the
// enum value; the user interface numbers them 1 to 4.
enum class RegionKind : std::uint8_t { Clip = 0, Background = 1, TextBox = 2, Overlay = 3 };

// One rectangle on the frames with its worksheet. Field names are the
// project's own. Worksheet arrays are indexed from 0 for row 1.
struct Region {
    Region() = default;
    Region(int left, int top, int width, int height) : Left(left), Top(top), Width(width), Height(height) {}

    // Persistent fields.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::string Name = "New Object";
    bool Visible = true;
    RegionKind RegionType = RegionKind::Clip;
    std::string OVLName;
    bool Title = false;
    int LineWidth = 1;
    int TitleHeight = 20;
    Color TitleColor = colors::Red;
    Color BoxColor = colors::White;
    WorksheetColumn InputFrame;
    WorksheetColumn OutputFile;
    // A clip region's sprite sheet; off unless its file is named.
    SheetSettings Sheet;

    // Run-time fields.
    // Present only for an overlay region whose file loaded (LoadOverlay);
    // shared with every other region of the same overlay file.
    std::shared_ptr<const Bitmap> MergeImage;
    std::shared_ptr<const Bitmap> MergeMask;
    // The overlay file as LoadOverlay read it, stamped through the
    // descriptor it read: what an incremental run takes as this overlay.
    // Also kept for a file that is no valid bitmap; nothing without a file.
    std::optional<FileDigest> MergeSource;

    bool rowInUse(int index) const { return !InputFrame[index].empty() || !OutputFile[index].empty(); }
    int right() const { return Left + Width; }
    int bottom() const { return Top + Height; }
};

// "  " for a visible region, " <Hidden>" for a hidden one.
const char* VisibilityMarker(const Region& region);
// Name followed by its visibility marker, as in the quick pick list.
std::string PickText(const Region& region);
// The tooltip: "[Name]  x:L  y:T  w:W  h:H".
std::string HintText(const Region& region);
// " x:L  y:T   w:W h:H", the geometry text of status panel 1.
std::string GeometryText(const Region& region);

}  // namespace tolv
