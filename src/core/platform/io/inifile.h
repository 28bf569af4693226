#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tolv {

// Reads an INI file with the private-profile rules of project and settings
// files: section and key names match without regard to (ASCII) case, the first
// occurrence of a key counts (and only the first section of a name is
// searched), values are trimmed and lose one pair of enclosing double or single
// quotes and are cut at 2047 characters, blank and ";" lines carry nothing,
// and a section exists only when it holds a key.
// Text is decoded line by line (DecodeText).
// A missing file reads as empty; a file that cannot be read raises FileReadError.
class IniReader {
public:
    IniReader();
    ~IniReader();
    IniReader(IniReader&&) noexcept;
    IniReader& operator=(IniReader&&) noexcept;

    static IniReader FromFile(const std::string& path);
    static IniReader FromText(const std::string& text);

    bool sectionExists(const std::string& section) const;
    std::string readString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // The value as readString gives it; nothing when the key is missing.
    std::optional<std::string> findString(const std::string& section, const std::string& key) const;
    // Decimal, or hexadecimal behind "$", "0x" or "0X"; anything else gives fallback.
    int readInteger(const std::string& section, const std::string& key, int fallback) const;
    // An integer: non-zero is true.
    bool readBool(const std::string& section, const std::string& key, bool fallback) const;
    // The sections that exist, in lower case and in no particular order.
    std::vector<std::string> sectionNames() const;

private:
    struct Data;
    std::unique_ptr<Data> data_;
};

// An integer as readInteger takes it; nothing for a text that is not one.
std::optional<int> ParseIniInteger(std::string_view text);

// Builds a whole INI file from nothing, in the order the entries are written,
// and writes it with CR LF line ends. Writing a key again replaces its value in
// place. Line breaks in a value are written as blanks.
class IniWriter {
public:
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);

    std::string text() const;
    // Replaces the file atomically; raises FileWriteError with the path.
    void save(const std::string& path) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    std::vector<Section> sections_;
    // Folded section name -> index in sections_, so that files with many
    // sections are built in linear time.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
};

// Sets keys in an existing INI file in place: every other line stays as it was;
// a key that is missing is added at the end of its section, a section that is
// missing is added at the end of the file. A missing file is created.
// Raises FileWriteError with the path.
void UpdateIniKeys(const std::string& path,
                   const std::vector<std::tuple<std::string, std::string, std::string>>& sectionKeyValues);

}  // namespace tolv
