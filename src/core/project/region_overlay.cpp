#include "project/region_overlay.h"

#include "platform/errors.h"
#include "platform/image/image_file.h"
#include "platform/image/raster.h"
#include "platform/io/files.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace tolv {

namespace {

// An overlay as the regions use it: the image with its key colour blacked
// out, and its mask.
struct PreparedOverlay {
    Bitmap image;
    Bitmap mask;
    FileDigest source;
};

// Far above any overlay a frame can show.
constexpr std::size_t OverlayFileLimit = std::size_t(1) << 31;

Rect Whole(const Bitmap& bitmap)
{
    return Rect{0, 0, bitmap.width(), bitmap.height()};
}

void Invert(Bitmap& bitmap)
{
    Canvas(bitmap).copyRect(Whole(bitmap), bitmap, Whole(bitmap), RasterOp::DstInvert);
}

// The file is read once, so its stamp and hash are those of the bytes
// decoded. No image for a file that is not a valid bitmap or holds none.
std::shared_ptr<const PreparedOverlay> PrepareOverlay(const std::string& path, FileIdentity& identity)
{
    const std::string bytes = ReadWholeFile(path, OverlayFileLimit, &identity);
    const FileDigest source{StampOfIdentity(identity), ContentHash(bytes)};
    Bitmap image;
    try {
        image = DecodeImageFile(bytes);
    } catch (const InvalidBitmapError&) {
        return std::make_shared<const PreparedOverlay>(PreparedOverlay{Bitmap(), Bitmap(), source});
    }
    if (image.empty())
        return std::make_shared<const PreparedOverlay>(PreparedOverlay{Bitmap(), Bitmap(), source});

    Bitmap mask = MakeMask(image, image.pixel(0, 0));
    // Black out the transparent pixels of the image: AND with the inverted mask.
    Invert(mask);
    Canvas(image).copyRect(Whole(image), mask, Whole(mask), RasterOp::SrcAnd);
    Invert(mask);
    return std::make_shared<const PreparedOverlay>(PreparedOverlay{std::move(image), std::move(mask), source});
}

// Nothing unless `path` is a regular file.
std::optional<FileIdentity> OverlayIdentity(const std::string& path)
{
    if (!FileExists(path))
        return std::nullopt;
    return IdentityOf(path);
}

// Every region that names the same overlay file shares one decoded copy for
// as long as any of them holds it, so a project naming one large overlay in
// many regions costs the memory of one.
class OverlayCache {
public:
    std::shared_ptr<const PreparedOverlay> overlay(const std::string& path, const FileIdentity& stamp)
    {
        const std::lock_guard lock(mutex_);
        const auto found = entries_.find(path);
        if (found != entries_.end() && found->second.stamp == stamp) {
            if (auto shared = found->second.overlay.lock())
                return shared;
        }
        FileIdentity read;
        std::shared_ptr<const PreparedOverlay> prepared = PrepareOverlay(path, read);
        std::erase_if(entries_, [](const auto& entry) { return entry.second.overlay.expired(); });
        entries_[path] = Entry{read, prepared};
        return prepared;
    }

private:
    struct Entry {
        FileIdentity stamp;
        std::weak_ptr<const PreparedOverlay> overlay;
    };
    std::mutex mutex_;
    std::map<std::string, Entry> entries_;
};

OverlayCache& SharedOverlays()
{
    static OverlayCache cache;
    return cache;
}

}  // namespace

std::string OverlayPath(const std::string& projectFolder, const std::string& overlayName)
{
    if (overlayName.empty() || overlayName.front() == '/')
        return overlayName;
    return JoinPath(projectFolder, overlayName);
}

void LoadOverlay(Region& region, const std::string& projectFolder)
{
    FreeOverlay(region);
    if (region.RegionType != RegionKind::Overlay)
        return;
    const std::string path = OverlayPath(projectFolder, region.OVLName);
    const std::optional<FileIdentity> stamp = OverlayIdentity(path);
    if (!stamp)
        return;
    const std::shared_ptr<const PreparedOverlay> overlay = SharedOverlays().overlay(path, *stamp);
    region.MergeSource = overlay->source;
    if (overlay->image.empty())
        return;

    if (overlay->image.width() > region.Width || overlay->image.height() > region.Height) {
        region.Width = overlay->image.width();
        region.Height = overlay->image.height();
    }
    region.MergeImage = std::shared_ptr<const Bitmap>(overlay, &overlay->image);
    region.MergeMask = std::shared_ptr<const Bitmap>(overlay, &overlay->mask);
}

void FreeOverlay(Region& region)
{
    region.MergeImage.reset();
    region.MergeMask.reset();
    region.MergeSource.reset();
}

}  // namespace tolv
