#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace tolv {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of Windows-1252 equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 0x80 && byte < 0xA0)
            AppendUtf8(out, kHighControls[byte - 0x80]);
        else
            AppendUtf8(out, byte);
    }
    return out;
}

// Length of the sequence a lead byte starts, with the allowed range of the
// second byte (which excludes overlong forms, surrogates and values past U+10FFFF).
struct Lead {
    int length;
    std::uint8_t secondLow;
    std::uint8_t secondHigh;
};

Lead LeadOf(std::uint8_t byte)
{
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte == 0xE0)
        return {3, 0xA0, 0xBF};
    if (byte == 0xED)
        return {3, 0x80, 0x9F};
    if (byte >= 0xE1 && byte <= 0xEF)
        return {3, 0x80, 0xBF};
    if (byte == 0xF0)
        return {4, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3)
        return {4, 0x80, 0xBF};
    if (byte == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (byte < 0x80) {
            ++i;
            continue;
        }
        const Lead lead = LeadOf(byte);
        if (lead.length == 0 || bytes.size() - i < static_cast<std::size_t>(lead.length))
            return false;
        const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
        if (second < lead.secondLow || second > lead.secondHigh)
            return false;
        for (int k = 2; k < lead.length; ++k) {
            if ((static_cast<std::uint8_t>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += static_cast<std::size_t>(lead.length);
    }
    return true;
}

std::string DecodeTextToUtf8(std::string_view bytes)
{
    if (!IsValidUtf8(bytes))
        return Windows1252ToUtf8(bytes);
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    return std::string(bytes);
}

std::string_view Utf8Prefix(std::string_view text, std::size_t room)
{
    if (text.size() <= room)
        return text;
    while (room > 0 && (static_cast<unsigned char>(text[room]) & 0xC0) == 0x80)
        --room;
    return text.substr(0, room);
}

}  // namespace tolv
