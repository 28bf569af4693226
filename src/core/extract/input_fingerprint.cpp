#include "extract/input_fingerprint.h"

#include "platform/files.h"
#include "platform/stable_hash.h"
#include "project/region_clipboard.h"

#include <optional>

namespace tolv {

namespace {

void AddStamp(StableHash& hash, const std::string& path)
{
    const std::optional<FileStamp> stamp = StampOf(path);
    hash.addPart(stamp ? stamp->size : 0).addPart(stamp ? std::uint64_t(stamp->modified) : 0);
}

}  // namespace

void InputFingerprints::startFrame(const std::string& frameName)
{
    StableHash hash;
    AddStamp(hash, project_.FramePath(frameName));
    hash.addPart(project_.CleanEdges ? 1 : 0);
    for (const auto& region : project_.Regions) {
        if (!region->OnCurrentFrame) {
            continue;
        }
        hash.addPart(recordHash(*region));
        if (region->RegionType == RegionKind::Overlay) {
            AddStamp(hash, region->OVLName);
        }
    }
    frame_ = hash.hex();
}

std::string InputFingerprints::of(const Region& region)
{
    return StableHash().addPart(frame_).addPart(recordHash(region)).hex();
}

const std::string& InputFingerprints::recordHash(const Region& region)
{
    auto [entry, added] = records_.try_emplace(&region);
    if (added) {
        entry->second = StableHash().add(RegionsAsText({&region})).hex();
    }
    return entry->second;
}

}  // namespace tolv
