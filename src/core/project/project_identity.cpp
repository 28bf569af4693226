#include "project/project_identity.h"

#include "platform/errors.h"
#include "platform/io/files.h"
#include "platform/io/ini_syntax.h"
#include "platform/io/text_encoding.h"
#include "project/project_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>

namespace tolv {

namespace {

using namespace std::string_view_literals;

// Signatures of the files most likely to be picked by mistake: frames,
// pictures, archives, programs and documents. Most of them hold NUL bytes
// anyway; the signature also catches those that do not.
constexpr std::array BinarySignatures = {
    "BM"sv,
    "\x89PNG\r\n\x1A\n"sv,
    "\xFF\xD8\xFF"sv,
    "GIF87a"sv,
    "GIF89a"sv,
    "PK\x03\x04"sv,
    "PK\x05\x06"sv,
    "PK\x07\x08"sv,
    "\x7F"
    "ELF"sv,
    "%PDF-"sv,
};

constexpr std::array ProjectSections = {"main"sv, "vidiziz"sv, "filters"sv, "frames"sv, "backgrounds"sv};

enum class TextForm { Bytes, Utf16LittleEndian, Utf16BigEndian };

bool HasBinarySignature(std::string_view bytes)
{
    return std::any_of(BinarySignatures.begin(), BinarySignatures.end(),
                       [bytes](std::string_view signature) { return bytes.starts_with(signature); });
}

TextForm FormOf(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE"sv))
        return TextForm::Utf16LittleEndian;
    if (bytes.starts_with("\xFE\xFF"sv))
        return TextForm::Utf16BigEndian;
    return TextForm::Bytes;
}

// UTF-16 code units after the byte order mark; an unpaired surrogate becomes
// U+FFFD and an odd last byte is dropped, and either counts as replaced.
DecodedText Utf16ToUtf8(std::string_view units, bool bigEndian)
{
    const auto unitAt = [&](std::size_t at) {
        const auto first = char32_t(static_cast<unsigned char>(units[at]));
        const auto second = char32_t(static_cast<unsigned char>(units[at + 1]));
        return bigEndian ? first << 8 | second : second << 8 | first;
    };
    const auto isHigh = [](char32_t unit) { return unit >= 0xD800 && unit < 0xDC00; };
    const auto isLow = [](char32_t unit) { return unit >= 0xDC00 && unit < 0xE000; };

    DecodedText decoded;
    decoded.Text.reserve(units.size());
    decoded.Replaced = units.size() % 2 != 0;
    for (std::size_t at = 0; at + 1 < units.size(); at += 2) {
        char32_t code = unitAt(at);
        if (isHigh(code) && at + 3 < units.size() && isLow(unitAt(at + 2))) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00);
            at += 2;
        } else if (isHigh(code) || isLow(code)) {
            code = 0xFFFD;
            decoded.Replaced = true;
        }
        AppendUtf8(decoded.Text, code);
    }
    return decoded;
}

bool IsProjectSection(std::string_view name)
{
    const std::string folded = ini::FoldCase(name);
    return std::find(ProjectSections.begin(), ProjectSections.end(), folded) != ProjectSections.end()
           || RegionSectionNumber(name) > 0;
}

bool HasProjectSection(std::string_view text)
{
    bool found = false;
    ini::ForEachLine(text, [&found](std::string_view line) {
        const ini::Line parsed = ini::ParseLine(line);
        found = found || (parsed.kind == ini::Line::Kind::Section && IsProjectSection(parsed.name));
    });
    return found;
}

// The entry at `path`, following links; nothing when there is none at all.
// A dangling link is reported as itself, so it never counts as missing.
std::optional<struct stat> EntryAt(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return info;
    if (errno != ENOENT && errno != ENOTDIR)
        throw FileReadError(path);
    if (::lstat(path.c_str(), &info) == 0)
        return info;
    return std::nullopt;
}

}  // namespace

int RegionSectionNumber(std::string_view name)
{
    constexpr std::string_view prefix = "region";
    if (name.size() <= prefix.size() || name[prefix.size()] == '0')
        return 0;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != prefix[i])
            return 0;
    }
    const std::string_view digits = name.substr(prefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() ? number : 0;
}

std::optional<DecodedText> ProjectFileText(std::string_view bytes)
{
    if (HasBinarySignature(bytes))
        return std::nullopt;
    const TextForm form = FormOf(bytes);
    if (form == TextForm::Bytes && bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    DecodedText decoded =
        form == TextForm::Bytes ? DecodeText(bytes) : Utf16ToUtf8(bytes.substr(2), form == TextForm::Utf16BigEndian);
    const std::string& text = decoded.Text;
    if (!text.empty() && (text.find('\0') != std::string::npos || !HasProjectSection(text)))
        return std::nullopt;
    return decoded;
}

ProjectPathKind KindOfProjectPath(const std::string& path)
{
    const std::optional<struct stat> entry = EntryAt(path);
    if (!entry)
        return ProjectPathKind::Missing;
    return S_ISREG(entry->st_mode) ? ProjectPathKind::File : ProjectPathKind::NotAFile;
}

ProjectFileBytes ReadProjectBytes(const std::string& path)
{
    const std::optional<struct stat> entry = EntryAt(path);
    if (!entry)
        return {};
    // No project comes near the INI reader's limit; a larger file is not one.
    if (!S_ISREG(entry->st_mode) || std::uint64_t(entry->st_size) > ini::kMaxFileBytes)
        throw NotAProjectError(path);
    ProjectFileBytes file;
    file.Bytes = ReadWholeFile(path, ini::kMaxFileBytes, &file.Identity);
    return file;
}

std::string ReadProjectFile(const std::string& path)
{
    std::optional<DecodedText> text = ProjectFileText(ReadProjectBytes(path).Bytes);
    if (!text)
        throw NotAProjectError(path);
    return std::move(text->Text);
}

void CheckProjectFile(const std::string& path)
{
    ReadProjectFile(path);
}

void CheckProjectText(const std::string& path, std::string_view bytes)
{
    if (!ProjectFileText(bytes))
        throw NotAProjectError(path);
}

}  // namespace tolv
