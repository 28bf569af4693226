#pragma once

#include "project/project.h"
#include "project/region.h"

#include <string>
#include <unordered_map>

namespace tolv {

// Fingerprints of what each output of a run is made from, so that a later run
// can tell an output that would come out the same: the frame file's size and
// time, those of the overlay bitmaps painted into the frame, the records of
// the text boxes and overlays painted into it, the edge cleaning, and the
// record of the region cut. Only stamps and records are read, never pixels.
class InputFingerprints {
public:
    explicit InputFingerprints(const Project& project) : project_(project) {}

    // After MarkFrameRegions has marked the regions painted into the frame.
    void startFrame(const std::string& frameName);
    std::string of(const Region& region);

private:
    const std::string& recordHash(const Region& region);

    const Project& project_;
    std::string frame_;
    std::unordered_map<const Region*, std::string> records_;
};

}  // namespace tolv
