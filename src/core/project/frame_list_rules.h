#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tolv {

// The Project Setup list refuses a frame beyond the project's 50.
bool FrameListFull(std::size_t frameCount);
extern const char* const FrameListFullMessage;

// Alphabetical order ignoring letter case: the sorted "Use in Project" list.
bool NameLessIgnoringCase(const std::string& a, const std::string& b);
// Where a name goes in a list kept in that order: after its equals.
std::size_t SortedInsertIndex(const std::vector<std::string>& sorted, const std::string& name);
void SortIgnoringCase(std::vector<std::string>& names);

// The files of a folder whose names end in ".bmp" in any letter case, names as
// stored on disk, in alphabetical order ignoring case. A folder that does not
// exist or cannot be read lists nothing.
std::vector<std::string> ListBmpFiles(const std::string& folder);

}  // namespace tolv
