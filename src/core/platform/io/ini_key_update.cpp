#include "platform/errors.h"
#include "platform/io/files.h"
#include "platform/io/ini_syntax.h"
#include "platform/io/inifile.h"
#include "platform/io/text_encoding.h"

#include <cstddef>
#include <vector>

namespace tolv {

namespace {

// The file as lines; lines are kept verbatim so that what is not updated is written back unchanged.
class IniLines {
public:
    explicit IniLines(std::string_view text)
    {
        ini::ForEachLine(text, [this](std::string_view line) { lines_.emplace_back(line); });
    }

    void set(const std::string& section, const std::string& key, const std::string& value)
    {
        const std::string foldedSection = ini::FoldCase(section);
        const std::string foldedKey = ini::FoldCase(key);
        const auto header = findSection(foldedSection);
        if (header == lines_.size()) {
            lines_.push_back("[" + section + "]");
            lines_.push_back(ini::EntryLine(key, value));
            return;
        }
        const std::size_t end = sectionEnd(header);
        for (std::size_t i = header + 1; i < end; ++i) {
            const ini::Line line = ini::ParseLine(lines_[i]);
            if (line.kind == ini::Line::Kind::Entry && ini::FoldCase(line.name) == foldedKey) {
                lines_[i] = ini::EntryLine(line.name, value);
                return;
            }
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContentLine(header, end) + 1),
                      ini::EntryLine(key, value));
    }

    std::string text() const
    {
        std::string out;
        for (const auto& line : lines_)
            out += line + "\r\n";
        return out;
    }

private:
    // Only the first section of a name counts, as for reading.
    std::size_t findSection(const std::string& foldedSection) const
    {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const ini::Line line = ini::ParseLine(lines_[i]);
            if (line.kind == ini::Line::Kind::Section && ini::FoldCase(line.name) == foldedSection)
                return i;
        }
        return lines_.size();
    }

    std::size_t sectionEnd(std::size_t header) const
    {
        for (std::size_t i = header + 1; i < lines_.size(); ++i) {
            if (ini::ParseLine(lines_[i]).kind == ini::Line::Kind::Section)
                return i;
        }
        return lines_.size();
    }

    // New keys go after the section's last non-blank line, so the blank lines that
    // separate it from the next section stay where they are.
    std::size_t lastContentLine(std::size_t header, std::size_t end) const
    {
        std::size_t last = header;
        for (std::size_t i = header + 1; i < end; ++i) {
            if (!ini::TrimBlanks(lines_[i]).empty())
                last = i;
        }
        return last;
    }

    std::vector<std::string> lines_;
};

std::string ExistingText(const std::string& path)
{
    if (!FileExists(path))
        return {};
    try {
        return DecodeText(ReadWholeFile(path, ini::kMaxFileBytes)).Text;
    } catch (const FileReadError&) {
        // Writing over a file that cannot be read would lose its other entries.
        throw FileWriteError(path);
    }
}

}  // namespace

void UpdateIniKeys(const std::string& path,
                   const std::vector<std::tuple<std::string, std::string, std::string>>& sectionKeyValues)
{
    IniLines lines(ExistingText(path));
    for (const auto& [section, key, value] : sectionKeyValues)
        lines.set(section, key, value);
    WriteFileAtomically(path, lines.text());
}

}  // namespace tolv
