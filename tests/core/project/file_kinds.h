#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolv::test {

// A file's content, named for the kind of file it stands for.
struct FileKind {
    const char* name;
    std::string bytes;
    // The NudgeStep a project file of this content loads with.
    int nudgeStep = 1;
};

// UTF-16 with its byte order mark, as the Windows INI functions write it.
inline std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// Each binary signature is followed by a project section and no NUL byte, so
// that only the signature tells the file apart.
inline std::vector<FileKind> NotProjectFiles()
{
    const std::string project = "\r\n[Main]\r\nVersion2=1\r\n";
    using namespace std::string_literals;
    return {
        {"Bmp", "BM" + project},
        {"Png", "\x89PNG\r\n\x1A\n" + project},
        {"Jpeg", "\xFF\xD8\xFF\xE0" + project},
        {"Gif", "GIF89a" + project},
        {"Zip", "PK\x03\x04" + project},
        {"Elf", "\x7F"
                "ELF"
                    + project},
        {"Pdf", "%PDF-1.7" + project},
        {"NulBytes", "[Main]\r\nRep=a\0b\r\n"s},
        {"TextWithoutSections", "Shopping list\r\n[Groceries]\r\nmilk=2\r\n"},
    };
}

inline std::vector<FileKind> ProjectFiles()
{
    return {
        {"Empty", ""},
        {"OnlyMain", "[Main]\r\n"},
        {"LowerCaseMain", "[main]\r\nnudgestep=4\r\n", 4},
        {"OnlyARegion", "; kept by hand\r\n[region12]\r\n"},
        {"Utf16LittleEndian", Utf16(u"[Main]\r\nNudgeStep=5\r\n", false), 5},
        {"Utf16BigEndian", Utf16(u"[MAIN]\r\nNudgeStep=6\r\n", true), 6},
    };
}

}  // namespace tolv::test
