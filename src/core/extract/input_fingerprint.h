#pragma once

#include "editor/frame_marks.h"
#include "platform/io/content_hash.h"
#include "platform/io/stable_hash.h"
#include "project/project.h"
#include "project/region.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tolv {

// How an incremental run tells an input it has seen before: by the size and
// modification time of the file a path leads to, or also by the hash of its
// bytes.
enum class ChangeRule : std::uint8_t { Stamp, Content };

// A frame or overlay file an output is made from, as the run found it:
// nothing when there was no file to read.
struct InputSource {
    std::string path;
    std::optional<FileDigest> seen;
};

// Fingerprints of what each output of a run is made from, so that a later run
// can tell an output that would come out the same: the frame file as it was
// stamped before it was read (or, by content, hashed as it was read), the
// overlays painted into the frame as LoadOverlay read them, the records of
// the text boxes and overlays painted into it, the edge cleaning, and the
// record of the region cut.
class InputFingerprints {
public:
    InputFingerprints(const Project& project, ChangeRule rule) : project_(project), rule_(rule) {}

    ChangeRule rule() const { return rule_; }
    // By stamp: the frame is stamped now, before anything reads it; the first
    // stamp of a frame stands for the whole run.
    void stampFrame(const std::string& path);
    // By content: the frame as it was read (nothing when it could not be).
    void readFrame(const std::string& path, const std::optional<FileDigest>& read);

    // After stampFrame or readFrame for the frame; `painted` are the regions
    // painted into it.
    void startFrame(const std::string& frameName, const PaintedRegions& painted);
    std::string of(const Region& region);
    // The size of the current frame's file; 0 when there was none.
    std::uint64_t frameSize() const { return frameSize_; }

    // Every frame and overlay taken in, in the order first met.
    const std::vector<InputSource>& sources() const { return sources_; }

private:
    const std::string& recordHash(const Region& region);
    void addSource(StableHash& hash, const std::string& path, const std::optional<FileDigest>& seen);
    void remember(const std::string& path, const std::optional<FileDigest>& seen);

    const Project& project_;
    const ChangeRule rule_;
    std::string frame_;
    std::uint64_t frameSize_ = 0;
    std::unordered_map<const Region*, std::string> records_;
    std::unordered_map<std::string, std::size_t> sourceIndex_;
    std::vector<InputSource> sources_;
};

}  // namespace tolv
