#include "extract/run_preview.h"

#include <array>
#include <cstdio>

namespace tolv {

std::string SizeText(std::uint64_t bytes)
{
    if (bytes < 1024) {
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    }
    constexpr std::array<const char*, 3> units{"KB", "MB", "GB"};
    double size = double(bytes) / 1024;
    std::size_t unit = 0;
    // Rounding to one decimal must not print "1024.0 KB".
    while (size >= 1023.95 && unit + 1 < units.size()) {
        size /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", size, units[unit]);
    return text;
}

std::vector<std::string> PreviewLines(const std::vector<OutputRecord>& files)
{
    if (files.empty()) {
        return {"Process would write no files."};
    }
    std::uint64_t total = 0;
    for (const OutputRecord& file : files) {
        total += file.bytes;
    }
    const std::string count = std::to_string(files.size()) + (files.size() == 1 ? " file" : " files");
    std::vector<std::string> lines{"Process would write " + count + ", " + SizeText(total) + ":"};
    for (const OutputRecord& file : files) {
        lines.push_back("     " + file.file + "  " + SizeText(file.bytes));
    }
    return lines;
}

}  // namespace tolv
