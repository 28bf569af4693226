#pragma once

#include "extract/run_records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// A file size as a user reads it: "662 bytes", "1.2 KB", "3.4 MB", "1.0 GB"
// (1 KB = 1024 bytes).
std::string SizeText(std::uint64_t bytes);

// What a preview adds after its dry run: a heading with the number of files
// and their total size, then one indented line per file, "VidIziz/door.bmp  134 bytes",
// in the order the run would write them.
std::vector<std::string> PreviewLines(const std::vector<OutputRecord>& files);

}  // namespace tolv
