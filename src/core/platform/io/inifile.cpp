#include "platform/io/inifile.h"

#include "platform/errors.h"
#include "platform/io/files.h"
#include "platform/io/ini_syntax.h"
#include "platform/io/text_encoding.h"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <unordered_map>

namespace tolv {

namespace {

std::optional<int> DigitValue(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

// Values outside the range of int do not parse, rather than wrap around.
std::optional<int> ParseInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        const auto digit = DigitValue(c, base);
        if (!digit)
            return std::nullopt;
        magnitude = magnitude * base + *digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

// Keyed by folded names. Only the first section of a name is kept: like the
// private-profile functions, lookups never reach a later section of the same name.
struct IniReader::Data {
    using Keys = std::unordered_map<std::string, std::string>;
    std::unordered_map<std::string, Keys> sections;

    const std::string* find(const std::string& section, const std::string& key) const
    {
        const auto s = sections.find(ini::FoldCase(section));
        if (s == sections.end())
            return nullptr;
        const auto k = s->second.find(ini::FoldCase(key));
        return k == s->second.end() ? nullptr : &k->second;
    }
};

IniReader::IniReader() : data_(std::make_unique<Data>())
{}
IniReader::~IniReader() = default;
IniReader::IniReader(IniReader&&) noexcept = default;
IniReader& IniReader::operator=(IniReader&&) noexcept = default;

IniReader IniReader::FromFile(const std::string& path)
{
    // Only a missing file reads as empty; a folder or an unreadable file in its place is an error.
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return IniReader();
    return FromText(ReadWholeFile(path, ini::kMaxFileBytes));
}

IniReader IniReader::FromText(const std::string& text)
{
    IniReader reader;
    auto& sections = reader.data_->sections;
    const std::string decoded = DecodeText(text).Text;
    Data::Keys* current = nullptr;
    ini::ForEachLine(decoded, [&](std::string_view raw) {
        const ini::Line line = ini::ParseLine(raw);
        if (line.kind == ini::Line::Kind::Section) {
            const auto [it, isFirst] = sections.try_emplace(ini::FoldCase(line.name));
            current = isFirst ? &it->second : nullptr;
        } else if (line.kind == ini::Line::Kind::Entry && current) {
            const auto [it, isFirst] = current->try_emplace(ini::FoldCase(line.name));
            if (isFirst)
                it->second = ini::ValueAsRead(line.value);
        }
    });
    return reader;
}

bool IniReader::sectionExists(const std::string& section) const
{
    const auto s = data_->sections.find(ini::FoldCase(section));
    return s != data_->sections.end() && !s->second.empty();
}

std::string IniReader::readString(const std::string& section, const std::string& key, const std::string& fallback) const
{
    const std::string* value = data_->find(section, key);
    return value ? *value : fallback;
}

std::optional<std::string> IniReader::findString(const std::string& section, const std::string& key) const
{
    const std::string* value = data_->find(section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

int IniReader::readInteger(const std::string& section, const std::string& key, int fallback) const
{
    const std::string* value = data_->find(section, key);
    return value ? ParseInteger(*value).value_or(fallback) : fallback;
}

std::vector<std::string> IniReader::sectionNames() const
{
    std::vector<std::string> names;
    for (const auto& [name, keys] : data_->sections) {
        if (!keys.empty())
            names.push_back(name);
    }
    return names;
}

std::optional<int> ParseIniInteger(std::string_view text)
{
    return ParseInteger(text);
}

bool IniReader::readBool(const std::string& section, const std::string& key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniWriter::writeString(const std::string& section, const std::string& key, const std::string& value)
{
    const auto [slot, isNew] = sectionIndex_.try_emplace(ini::FoldCase(section), sections_.size());
    if (isNew)
        sections_.push_back(Section{section, {}});
    Section* target = &sections_[slot->second];

    const std::string foldedKey = ini::FoldCase(key);
    for (auto& entry : target->entries) {
        if (ini::FoldCase(entry.first) == foldedKey) {
            entry.second = value;
            return;
        }
    }
    target->entries.emplace_back(key, value);
}

void IniWriter::writeInteger(const std::string& section, const std::string& key, int value)
{
    writeString(section, key, std::to_string(value));
}

void IniWriter::writeBool(const std::string& section, const std::string& key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

std::string IniWriter::text() const
{
    std::string out;
    for (const auto& section : sections_) {
        out += "[" + section.name + "]\r\n";
        for (const auto& [key, value] : section.entries)
            out += ini::EntryLine(key, value) + "\r\n";
    }
    return out;
}

void IniWriter::save(const std::string& path) const
{
    WriteFileAtomically(path, text());
}

}  // namespace tolv
