#pragma once

#include "platform/image/bitmap.h"
#include "platform/image/image_file.h"
#include "platform/image/png_codec.h"
#include "platform/io/files.h"
#include "project/project.h"
#include "project/region_overlay.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tolv::test {

// 256 palette entries that repeat after 128, so two indexes share each
// colour: a copy that goes through colours instead of values shows.
inline std::vector<Color> RepeatingPalette(int entries = 256)
{
    std::vector<Color> palette;
    for (int i = 0; i < entries; ++i) {
        const int k = i % 128;
        palette.push_back(RGB(std::uint8_t(k * 2), std::uint8_t(255 - k), std::uint8_t(k * 37)));
    }
    return palette;
}

// A frame whose pixel values differ from their neighbours and from those of
// frames made with another seed.
inline Bitmap PatternFrame(int width, int height, int bitsPerPixel, int seed = 0)
{
    Bitmap frame(width, height, bitsPerPixel,
                 bitsPerPixel <= 8 ? RepeatingPalette(1 << bitsPerPixel) : std::vector<Color>{});
    const std::uint32_t valueMask = bitsPerPixel >= 32 ? 0xFFFFFFu : (std::uint32_t(1) << bitsPerPixel) - 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = std::uint32_t(x * 7 + y * 131 + seed * 29) * 2654435761u;
            frame.setValue(x, y, (v >> 8) & valueMask);
        }
    }
    return frame;
}

using Rows = std::vector<std::pair<std::string, std::string>>;

// A project in a folder of its own, built up with frames written to disk and
// regions with their worksheets.
class ProjectBuilder {
public:
    explicit ProjectBuilder(const std::string& folder)
    {
        project.ProjectFolder = folder;
        project.ProjectFileName = "test.qvl";
    }

    // Writes the frame file (PNG when named so, else BMP) and lists it as loaded.
    ProjectBuilder& frame(const std::string& name, const Bitmap& image)
    {
        save(image, project.FramePath(name));
        return listFrame(name, FrameLoaded);
    }

    // Lists a frame without writing its file.
    ProjectBuilder& listFrame(const std::string& name, std::uint8_t status)
    {
        project.FrameStatus[project.FrameNames.size()] = status;
        project.FrameNames.push_back(name);
        return *this;
    }

    Region& region(RegionKind kind, int left, int top, int width, int height, const Rows& rows,
                   const std::string& name = "Region")
    {
        auto region = std::make_unique<Region>(left, top, width, height);
        region->RegionType = kind;
        region->Name = name;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            region->InputFrame.set(r, rows[r].first);
            region->OutputFile.set(r, rows[r].second);
        }
        project.Regions.push_back(std::move(region));
        return *project.Regions.back();
    }

    // An overlay region whose overlay file is written beside the frames and
    // loaded as the project reader loads it.
    Region& overlay(int left, int top, int width, int height, const Bitmap& image, const Rows& rows,
                    const std::string& file = "overlay.bmp")
    {
        Region& merge = region(RegionKind::Overlay, left, top, width, height, rows, "Overlay");
        merge.OVLName = project.FramePath(file);
        save(image, merge.OVLName);
        LoadOverlay(merge, project.ProjectFolder);
        return merge;
    }

    Region& textBox(int left, int top, int width, int height, const Rows& rows)
    {
        return region(RegionKind::TextBox, left, top, width, height, rows, "Box");
    }

    std::string output(const std::string& name) const
    {
        return JoinPath(JoinPath(project.ProjectFolder, "VidIziz"), name);
    }

    Project project;

private:
    static void save(const Bitmap& image, const std::string& path)
    {
        AtomicFile file(path);
        SaveImageFile(image, file, OutputFormatOf(path), DefaultPngLevel);
    }
};

}  // namespace tolv::test
