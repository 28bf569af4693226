#include "extract/input_fingerprint.h"

#include "platform/io/files.h"
#include "platform/io/stable_hash.h"
#include "project/region_clipboard.h"
#include "project/region_overlay.h"

namespace tolv {

void InputFingerprints::stampFrame(const std::string& path)
{
    if (!sourceIndex_.contains(path)) {
        const std::optional<FileStamp> stamp = StampThroughLinks(path);
        remember(path, stamp ? std::optional<FileDigest>(FileDigest{*stamp, 0}) : std::nullopt);
    }
}

void InputFingerprints::readFrame(const std::string& path, const std::optional<FileDigest>& read)
{
    const auto found = sourceIndex_.find(path);
    if (found == sourceIndex_.end()) {
        remember(path, read);
    } else {
        sources_[found->second].seen = read;
    }
}

void InputFingerprints::remember(const std::string& path, const std::optional<FileDigest>& seen)
{
    const auto [entry, added] = sourceIndex_.try_emplace(path, sources_.size());
    if (added) {
        sources_.push_back(InputSource{path, seen});
    }
}

// The rule is part of every fingerprint: an index of one rule never keeps an
// output in a run of the other.
void InputFingerprints::addSource(StableHash& hash, const std::string& path, const std::optional<FileDigest>& seen)
{
    if (!path.empty()) {
        remember(path, seen);
    }
    hash.addPart(seen ? 1 : 0);
    if (!seen) {
        return;
    }
    if (rule_ == ChangeRule::Content) {
        hash.addPart(seen->hash).addPart(seen->stamp.size);
    } else {
        hash.addPart(seen->stamp.size).addPart(std::uint64_t(seen->stamp.modified));
    }
}

void InputFingerprints::startFrame(const std::string& frameName, const PaintedRegions& painted)
{
    const std::string path = project_.FramePath(frameName);
    stampFrame(path);
    const std::optional<FileDigest> frame = sources_[sourceIndex_.at(path)].seen;
    frameSize_ = frame ? frame->stamp.size : 0;
    StableHash hash;
    hash.addPart(rule_ == ChangeRule::Content ? "content" : "stamp");
    addSource(hash, path, frame);
    hash.addPart(project_.CleanEdges ? 1 : 0);
    for (const Region* region : painted) {
        hash.addPart(recordHash(*region));
        if (region->RegionType == RegionKind::Overlay) {
            addSource(hash, OverlayPath(project_.ProjectFolder, region->OVLName), region->MergeSource);
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
