#pragma once

#include "editor/frame_rule.h"
#include "project/project.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// The values an undoable step keeps from before and after the edit, with
// what each costs in memory and when two of them are the same edit.

struct ExtractionSwitches {
    bool Clips = true;
    bool Backgrnds = true;
    bool operator==(const ExtractionSwitches&) const = default;
};

// What the Project Setup dialog sets.
struct ProjectSetup {
    std::vector<std::string> FrameNames;
    bool CleanEdges = false;
    std::string Rep;
    std::string Job;
    bool operator==(const ProjectSetup&) const = default;
};

// A project setup with the result of examining its frames, so that undo
// and redo bring back the frames exactly as they were shown, without
// reading a file.
struct FrameSetup {
    ProjectSetup Setup;
    std::array<std::uint8_t, MaxFrames> FrameStatus{};
    int FrameAreaWidth = 0;
    int FrameAreaHeight = 0;
    int CurrentFrame = -1;
    bool operator==(const FrameSetup&) const = default;
};

// Whether two regions have the same persistent fields and the same overlay.
bool SameProperties(const Region& a, const Region& b);

// Heap memory beyond the value itself.
std::size_t HeapBytes(const std::string& text);
std::size_t HeapBytes(const Region& region);
std::size_t HeapBytes(const FrameSetup& setup);
template <typename Value>
std::size_t HeapBytes(const Value&)
{
    return 0;
}

inline bool SameValue(const Region& a, const Region& b)
{
    return SameProperties(a, b);
}
template <typename Value>
bool SameValue(const Value& a, const Value& b)
{
    return a == b;
}

}  // namespace tolv
