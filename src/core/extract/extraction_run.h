#pragma once

#include "extract/input_fingerprint.h"
#include "extract/log_sink.h"
#include "extract/run_records.h"
#include "platform/image/png_codec.h"
#include "project/project.h"
#include "sheet/atlas_text.h"

#include <functional>
#include <string>
#include <vector>

namespace tolv {

struct ExtractSwitches {
    bool clips = true;
    bool backgrounds = true;
    // The run goes through every frame, row, refusal and stop as it would,
    // and writes nothing: no folder is made, no file touched.
    bool dryRun = false;
    // Keep, for every output, the stamp of the file written and the
    // fingerprint of its inputs, for a later incremental run.
    bool recordOutputs = false;
    // An incremental run: an output that this earlier run wrote from the same
    // inputs, and that still lies there as it left it, is not written again.
    const PreviousOutputs* previous = nullptr;
    // How inputs are told apart; by content every frame is read once, on the
    // run's own thread, and hashed before it is decoded.
    ChangeRule rule = ChangeRule::Stamp;
    // Called with every frame and overlay the run took in, once it went to
    // its end, for a depfile; needs recordOutputs.
    std::vector<InputSource>* sources = nullptr;
    // For tests: runs after a frame's inputs were read and before its first
    // file is written.
    std::function<void(const std::string& frameName)> beforeWriting = {};
    // The compression of PNG outputs, 0..9 (see EncodePng).
    int pngLevel = DefaultPngLevel;
    // The threads that cut and encode outputs; 0 for DefaultWorkerCount().
    // Their number never changes what the run writes or logs.
    int workers = 0;
    // How atlases list their frames.
    AtlasLayout atlasLayout = AtlasLayout::Hash;
    // The frame time of a sheet whose region names none: the Animate delay.
    int frameTime = 400;
    // Writes this region's sheet and atlas, and no other file.
    const Region* onlySheetOf = nullptr;
};

// The extraction run: walks the frames in list order and writes every
// requested background and clip into the folder VidIziz of the project.
// Logs every step to `log`, ends with "All Done!!!" also when an error stops
// it, and then raises that error (a TolvError) to the caller. A dry run logs
// and stops alike. Every file goes to log.wrote, or to log.skipped when an
// incremental run keeps it; when log.stopRequested() the run ends after the
// file at hand with "     Stopped." as its last line, since it is not done.
// The outputs of a frame are cut and encoded on worker threads and written
// here in their order; one not yet due when the run ends is never written.
// After the last frame come the sheets and their atlases, in region order,
// made of the clips as the run cuts them.
RunEnd RunExtraction(const Project& project, const ExtractSwitches& switches, LogSink& log);

}  // namespace tolv
