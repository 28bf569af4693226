#pragma once

#include "extract/log_sink.h"
#include "project/project.h"

namespace tolv {

// Cross-references the project and reports every finding to `log`, three
// lines each (subject, two blanks and the message, one blank). Changes
// nothing. Returns the number of findings.
int CheckProject(const Project& project, LogSink& log);

}  // namespace tolv
