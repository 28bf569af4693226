#pragma once

#include "platform/io/files.h"
#include "project/region.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace tolv {

// What a file of the run holds: a clip or background cut from one frame, or
// the sprite sheet of a region and the atlas beside it, made of its clips.
enum class OutputKind : std::uint8_t { Image, Sheet, Atlas };

// One file of an extraction run: where it went, what it was cut from and where
// it sat in its frame. A background covers its whole frame. A sheet or atlas
// has no frame of its own, and the sheet's size.
struct OutputRecord {
    // The path relative to the project folder: "VidIziz/" + the output name.
    std::string file;
    std::string region;
    RegionKind type = RegionKind::Clip;
    OutputKind kind = OutputKind::Image;
    std::string frame;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int bpp = 0;
    // The file's size; in a dry run the size it would have.
    std::uint64_t bytes = 0;
    // Kept only when the run records its outputs for a later incremental run:
    // the file as it lay on disk after the run, and a fingerprint of
    // everything it was made from.
    FileStamp stamp;
    std::string inputs;
    // Also kept for the index: the source frame file's size, the frame's
    // position in the frame list (from 1), and the hash of the file written.
    std::uint64_t frameBytes = 0;
    int framePosition = 0;
    std::uint64_t hash = 0;
};

// What a previous run wrote, by OutputRecord::file.
using PreviousOutputs = std::unordered_map<std::string, OutputRecord>;

// A row the run refused to write; `message` is the log line without its indent.
struct Refusal {
    std::string region;
    std::string frame;
    std::string output;
    std::string message;
};

// What a run that went on left undone: a frame or an overlay it could not
// use, or a row it refused. `file` is the frame or overlay as the project
// names it, or the refused output name; `region` is empty for a frame.
// `message` reads "frame ball02.bmp could not be read: Bitmap image is not valid".
enum class ProblemKind : std::uint8_t { FrameMissing, FrameUnreadable, OverlayMissing, OverlayUnreadable, Refused };

struct RunProblem {
    ProblemKind kind = ProblemKind::Refused;
    std::string file;
    std::string region;
    std::string message;
};

// How a run ended that raised no error.
enum class RunEnd : std::uint8_t { Finished, Stopped };

}  // namespace tolv
