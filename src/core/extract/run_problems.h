#pragma once

#include "extract/run_records.h"
#include "project/project.h"

#include <optional>
#include <string>

namespace tolv {

// A listed frame the project could not set up (FrameStatus not FrameLoaded):
// missing, or unreadable with the reader's reason as it stands now.
RunProblem UnusableFrameProblem(const Project& project, const std::string& frameName);

// An overlay region that names a file and holds no overlay from it: the file
// is missing or unreadable, so the frames it marks go out unpainted.
std::optional<RunProblem> OverlayProblem(const Project& project, const Region& region);

// The problem as the log shows it: its message as a sentence.
std::string ProblemLogLine(const RunProblem& problem);

}  // namespace tolv
