#pragma once

#include "project/region.h"
#include "project/selection_state.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tolv {

constexpr int MaxFrames = 50;

// Result of the last frame check (ExamineFrames).
enum FrameState : std::uint8_t { FrameLoaded = 0, FrameMissing = 1, FrameUnusable = 2, FrameUnchecked = 3 };

// The canvas size a new project starts with, until frames are set.
constexpr int NewProjectFrameArea = 790;

// Something the reader met in the project file that it could not take as
// it was, in the words of the project check.
struct FileFinding {
    std::string Subject;
    std::string Message;
    bool operator==(const FileFinding&) const = default;
};

// The open project: identity, options, frame list, run-time frame state and
// the region list. Field names are the project's own. The region list order is
// the order used everywhere: file sections, quick pick, painting, Tab,
// extraction. Regions are held by pointer so that views can keep stable
// references to them.
//
// A default-constructed project is the state of a fresh process: no project
// opened yet, ProjectFolder is the current directory.
struct Project {
    Project();

    // Location and identity.
    std::string ProjectFolder;
    std::string ProjectFileName;
    // Whether the state differs from the file: kept by Document from its
    // history's clean point, and by nothing else.
    bool Modified = false;

    // What the file held that the reader could not take: a region count
    // that is missing or no count, bytes that could not be decoded. While
    // there is any, the project counts as read incompletely, and a save
    // writes only what was read. Cleared by a save, after which the file
    // holds what the project holds.
    std::vector<FileFinding> UnreadParts;
    // Worksheet rows of the file whose text held more names than a row has
    // (a name with a comma), read as the reader splits them. Cleared by a
    // save as well.
    std::vector<FileFinding> MisreadRows;

    // Options, persisted.
    bool LockObj = false;
    bool ShowPreview = false;
    int NudgeStep = 1;
    bool CleanEdges = false;
    std::string Rep;
    std::string Job;
    // The Extraction Processor switches.
    bool Clips = true;
    bool Backgrnds = true;
    std::string PreFilterFile;

    // Frame list: FrameNames.size() is FrameCount, never above MaxFrames
    // (SetFrameNames keeps that).
    std::vector<std::string> FrameNames;
    // Indexed from 0 for frame 1.
    std::array<std::uint8_t, MaxFrames> FrameStatus{};
    int CurrentFrame = -1;
    int FrameAreaWidth = 600;
    int FrameAreaHeight = 400;

    // Regions and selection.
    std::vector<std::unique_ptr<Region>> Regions;
    Selection selection;

    int FrameCount() const { return int(FrameNames.size()); }
    bool ReadIncompletely() const { return !UnreadParts.empty(); }
    // The name of frame i (1-based); empty outside 1..FrameCount.
    std::string FrameName(int i) const;
    // The status of frame i (1-based); FrameUnchecked outside 1..MaxFrames.
    std::uint8_t FrameStatusOf(int i) const;
    // ProjectFolder joined with ProjectFileName.
    std::string ProjectFilePath() const;
    // ProjectFolder joined with a frame name.
    std::string FramePath(const std::string& frameName) const;

    // Replaces the frame list; names beyond the first MaxFrames are dropped.
    void SetFrameNames(std::vector<std::string> names);
    // Appends a frame name unless the list is full; returns whether it was kept.
    bool AddFrameName(std::string name);

    // The file's findings no longer hold once it has been written anew.
    void ForgetFileFindings();
    // Destroys every region and clears the selection.
    void FreeRegions();
    // After every change of the region list: the selection learns each
    // region's list position (0-based, as the quick pick list's lines) and
    // lets go of regions no longer in the list.
    void RegionListChanged();

    // The state before a project file is read: no regions, no frames,
    // CurrentFrame -1, LockObj off, PreFilterFile empty, nothing unread. The persisted options
    // are all read from the file afterwards.
    void ResetBeforeLoading();
    // The state of a new project: no regions, no frames, CurrentFrame 0,
    // LockObj off, a 790 x 790 frame area, nothing unread. The other options
    // stay as they were, so a new project inherits them.
    void ResetForNew();
};

// Stores worksheet row `row` (1..50). Rows outside 1..50 are ignored and
// change nothing.
void SetFilenames(Region& region, int row, std::string input, std::string output);

}  // namespace tolv
