#include "extract/output_name.h"

#include "platform/io/files.h"

#include <algorithm>
#include <vector>

namespace tolv {

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool HasDrive(std::string_view name)
{
    const bool letter = name.size() >= 2 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    return letter && name[1] == ':';
}

bool HasParentComponent(std::string_view name)
{
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) {
            ++end;
        }
        if (name.substr(start, end - start) == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// The parts between "/" separators, without empty and "." parts, which name
// the same folder; the last part is the file name, kept as it is.
std::vector<std::string> FolderParts(std::string_view name)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end = name.find('/'); end != std::string_view::npos; end = name.find('/', start)) {
        const std::string_view part = name.substr(start, end - start);
        if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return parts;
}

bool IsControlCharacter(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

bool HasTooLongPart(std::string_view name)
{
    std::size_t start = 0;
    for (std::size_t end = name.find('/'); end != std::string_view::npos; end = name.find('/', start)) {
        if (end - start > MaxNamePartBytes) {
            return true;
        }
        start = end + 1;
    }
    return name.size() - start > MaxNamePartBytes;
}

OutputPlace Reached(OutputReach reach)
{
    OutputPlace place;
    place.reach = reach;
    return place;
}

}  // namespace

OutputPlace LocateOutput(const OpenFolder& outputFolder, std::string_view name)
{
    OutputPlace place;
    place.folder = outputFolder.share();
    for (const std::string& part : FolderParts(name)) {
        OpenFolder next = place.folder.subFolder(part);
        if (!next.isOpen()) {
            return Reached(place.folder.kindOf(part) == EntryKind::Link ? OutputReach::ThroughLink
                                                                        : OutputReach::Unreachable);
        }
        place.folder = std::move(next);
        place.folderName = JoinPath(place.folderName, part);
    }
    place.fileName = NamePart(name);
    if (place.fileName.empty() || place.fileName == "." || !place.folder.isOpen()) {
        return Reached(OutputReach::Unreachable);
    }
    place.entry = place.folder.entryAt(place.fileName);
    place.reach = place.entry.kind == EntryKind::Link ? OutputReach::ThroughLink : OutputReach::Ready;
    return place;
}

NameFault FaultOfOutputName(std::string_view name)
{
    if (IsUnsafeOutputName(name)) {
        return NameFault::LeavesOutputFolder;
    }
    const std::string fileName = NamePart(name);
    if (fileName.empty() || fileName == "." || fileName == "..") {
        return NameFault::NoFileName;
    }
    if (std::any_of(name.begin(), name.end(), IsControlCharacter)) {
        return NameFault::ControlCharacter;
    }
    return HasTooLongPart(name) ? NameFault::PartTooLong : NameFault::None;
}

bool NamesSubFolder(std::string_view name)
{
    return !FolderParts(name).empty();
}

std::string UnsafeNameRefusal(std::string_view name)
{
    return "Refused unsafe output name " + std::string(name) + ".";
}

std::string OutputNameRefusal(std::string_view name, NameFault fault)
{
    const std::string refused = "Refused output name " + std::string(name) + ": ";
    switch (fault) {
    case NameFault::LeavesOutputFolder:
        return UnsafeNameRefusal(name);
    case NameFault::NoFileName:
        return refused + "it has no file name.";
    case NameFault::ControlCharacter:
        return refused + "it contains a control character.";
    case NameFault::PartTooLong:
        return refused + "a part is longer than 255 bytes.";
    case NameFault::None:
        break;
    }
    return {};
}

bool IsUnsafeOutputName(std::string_view name)
{
    return (!name.empty() && IsSeparator(name.front())) || HasDrive(name) || HasParentComponent(name);
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = char(c - 'A' + 'a');
        }
    }
    return lower;
}

}  // namespace tolv
