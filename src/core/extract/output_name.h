#pragma once

#include "platform/io/open_folder.h"

#include <string>
#include <string_view>

namespace tolv {

// The folder inside the project folder that receives every extracted bitmap.
constexpr const char* OutputFolderName = "VidIziz";

// True when a worksheet output name would write outside the output folder:
// an absolute name (also a Windows drive or a leading backslash) or one with a
// ".." component ("/" and "\" both count as separators). Sub-folders inside
// the output folder are fine.
bool IsUnsafeOutputName(std::string_view name);
// The run's refusal of such a name: "Refused unsafe output name NAME."
std::string UnsafeNameRefusal(std::string_view name);

// The longest file or folder name the file systems take, in bytes.
constexpr std::size_t MaxNamePartBytes = 255;

// What keeps an output name from being created, whatever is on disk. This is
// the one rule for names: the check reports each fault and the run refuses
// the row, so the two never disagree.
enum class NameFault {
    None,
    LeavesOutputFolder,  // IsUnsafeOutputName
    NoFileName,  // ".", "..", or a name that ends with "/"
    ControlCharacter,  // a byte below 0x20, or 0x7F
    PartTooLong,  // a part between "/" longer than MaxNamePartBytes
};

NameFault FaultOfOutputName(std::string_view name);

// The run's refusal of a name with a fault: UnsafeNameRefusal for a name that
// leaves the folder, else "Refused output name NAME: " and the reason.
std::string OutputNameRefusal(std::string_view name, NameFault fault);

// True when the name puts its file into a sub-folder of the output folder.
bool NamesSubFolder(std::string_view name);

// How a safe output name reaches its file below the output folder.
enum class OutputReach {
    Ready,  // every sub-folder is there; the file may be written
    ThroughLink,  // a sub-folder on the way, or the file itself, is a symbolic link
    Unreachable,  // a sub-folder is missing or cannot be opened, or no file name
};

struct OutputPlace {
    OutputReach reach = OutputReach::Unreachable;
    OpenFolder folder;  // the folder that receives the file, when Ready
    std::string folderName;  // its path below the output folder, "" for the output folder itself
    std::string fileName;
    // What stood at the file's name when it was located.
    FolderEntry entry;
};

// Walks `name` ("/" separates sub-folders) down from the open output folder,
// opening each sub-folder without following a symbolic link, so the file is
// written where the walk ended and nowhere else.
// ASSUMPTION: !IsUnsafeOutputName(name).
OutputPlace LocateOutput(const OpenFolder& outputFolder, std::string_view name);

// Plain ASCII lower-casing; other bytes stay as they are.
std::string LowerAscii(std::string_view text);

}  // namespace tolv
