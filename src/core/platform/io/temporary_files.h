#pragma once

#include "platform/io/open_folder.h"

#include <string>
#include <string_view>

namespace tolv {

// Temporary files of AtomicFile, named as atomic_file.h describes.

// A fresh temporary name for a file called `targetName`, written by process
// `writerPid` on this machine.
std::string TemporaryName(std::string_view targetName, int writerPid);

// Removes the temporaries of that pattern in `folder` that a stopped writer
// left: untouched for a minute, or written on this machine by a process that
// no longer runs. Nothing else is ever removed; failures are ignored, as the
// debris does no harm beyond its space.
void SweepStaleTemporaries(const OpenFolder& folder);

}  // namespace tolv
