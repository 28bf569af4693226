#pragma once

#include "project/region.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tolv {

constexpr int MaxFrames = 50;

// Result of the last frame check (SetupBackgrounds).
enum FrameState : std::uint8_t { FrameLoaded = 0, FrameMissing = 1, FrameUnusable = 2, FrameUnchecked = 3 };

// The open project: identity, options, frame list, run-time frame state and
// the region list. Field names are the project's own. The region list order is
// the order used everywhere: file sections, quick pick, painting, Tab,
// extraction. Regions are held by pointer so that views can keep stable
// references to them.
struct Project {
    // Location and identity.
    std::string ProjectFolder;
    std::string ProjectFileName;
    bool Modified = false;

    // Options, persisted.
    bool LockObj = false;
    bool ShowPreview = false;
    int NudgeStep = 1;
    bool CleanEdges = false;
    std::string Rep;
    std::string Job;
    bool Clips = true;
    bool Backgrnds = true;
    std::string PreFilterFile;

    // Frame list: FrameNames.size() is FrameCount, never above MaxFrames.
    std::vector<std::string> FrameNames;
    std::array<std::uint8_t, MaxFrames> FrameStatus{};
    int CurrentFrame = -1;
    int FrameAreaWidth = 600;
    int FrameAreaHeight = 400;

    // Regions and selection.
    std::vector<std::unique_ptr<Region>> Regions;
    Region* CurrentRegion = nullptr;
    int SelIndex = -1;

    int FrameCount() const { return int(FrameNames.size()); }
    // The name of frame i (1-based); empty outside 1..FrameCount.
    std::string FrameName(int i) const;
    // ProjectFolder joined with ProjectFileName.
    std::string ProjectFilePath() const;
    // ProjectFolder joined with a frame name.
    std::string FramePath(const std::string& frameName) const;
};

}  // namespace tolv
