#pragma once

#include "platform/io/files.h"
#include "platform/io/text_encoding.h"

#include <optional>
#include <string>
#include <string_view>

// What tells a project file from any other file, so that nothing else is ever
// loaded as an empty project and then saved over.
namespace tolv {

// The number of a section named "Region" + a decimal number in its canonical
// spelling (no sign, no leading zero), in any letter case, as the reader forms
// the names; else 0.
int RegionSectionNumber(std::string_view name);

// The text of a file's bytes when they are a project file: no text at all, or
// text with at least one section header the reader reads (Main, VidIziz,
// Filters, Frames, Backgrounds or a region section, in any letter case, with
// or without keys). UTF-16 with a byte order mark comes back as UTF-8, other
// text decoded line by line (DecodeText); Replaced tells that some bytes
// could not be decoded. Nothing for bytes with a known binary signature (BMP,
// PNG, JPEG, GIF, ZIP, ELF, PDF), with a NUL byte, or for text without any
// project section.
std::optional<DecodedText> ProjectFileText(std::string_view bytes);

enum class ProjectPathKind { Missing, File, NotAFile };

// What lies at `path`, judged from the file system entry alone so that a FIFO
// is never opened: nothing (not even a dangling link), a regular file, or
// anything else. Raises FileReadError when the path cannot be looked at.
ProjectPathKind KindOfProjectPath(const std::string& path);

// The bytes of a project file as read, and the identity of the file they
// were read from.
struct ProjectFileBytes {
    std::string Bytes;
    FileIdentity Identity;
};

// The bytes of the file at `path`, unjudged; nothing (and no identity) for a
// missing file. Raises NotAProjectError for anything but a regular file, or
// one larger than any project file, FileReadError for one that cannot be read.
ProjectFileBytes ReadProjectBytes(const std::string& path);

// The text of the project file at `path`, decoded (see ProjectFileText);
// empty for a missing file. Raises NotAProjectError for anything that is not
// a project file, FileReadError for one that cannot be read.
std::string ReadProjectFile(const std::string& path);

}  // namespace tolv
