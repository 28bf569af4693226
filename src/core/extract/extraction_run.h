#pragma once

#include "extract/log_sink.h"
#include "project/project.h"

namespace tolv {

struct ExtractSwitches {
    bool clips = true;
    bool backgrounds = true;
    // The run goes through every frame, row, refusal and stop as it would,
    // and writes nothing: no folder is made, no file touched.
    bool dryRun = false;
};

// The extraction run: walks the frames in list order and writes every
// requested background and clip into the folder VidIziz of the project.
// Logs every step to `log`, ends with "All Done!!!" also when an error stops
// it, and then raises that error (a TolvError) to the caller. A dry run logs
// and stops alike.
void ExtractObject(Project& project, const ExtractSwitches& switches, LogSink& log);

}  // namespace tolv
