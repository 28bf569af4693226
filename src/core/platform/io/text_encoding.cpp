#include "platform/io/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tolv {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of Windows-1252 equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendWindows1252(std::string& out, std::string_view bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 0x80 && byte < 0xA0)
            AppendUtf8(out, kHighControls[byte - 0x80]);
        else
            AppendUtf8(out, byte);
    }
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

// The length of the valid UTF-8 sequence at the start of `bytes`; 0 when
// there is none, -n when only its first n bytes are valid (the maximal
// part that one U+FFFD takes the place of).
int SequenceAt(std::string_view bytes)
{
    const auto byte = static_cast<std::uint8_t>(bytes[0]);
    if (byte < 0x80)
        return 1;
    const Lead lead = LeadOf(byte);
    if (lead.length == 0)
        return 0;
    for (int k = 1; k < lead.length; ++k) {
        if (std::size_t(k) >= bytes.size())
            return -k;
        const auto next = static_cast<std::uint8_t>(bytes[std::size_t(k)]);
        const bool fits = k == 1 ? next >= lead.secondLow && next <= lead.secondHigh : (next & 0xC0) == 0x80;
        if (!fits)
            return -k;
    }
    return lead.length;
}

// UTF-8 with every invalid sequence as one U+FFFD; returns whether any was.
bool AppendUtf8Replacing(std::string& out, std::string_view bytes)
{
    bool replaced = false;
    while (!bytes.empty()) {
        const int length = SequenceAt(bytes);
        if (length > 0) {
            out.append(bytes.substr(0, std::size_t(length)));
        } else {
            AppendUtf8(out, 0xFFFD);
            replaced = true;
        }
        bytes.remove_prefix(std::size_t(length > 0 ? length : std::max(-length, 1)));
    }
    return replaced;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
        return;
    }
    const int tail = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    constexpr std::uint8_t leads[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(leads[tail] | (code >> (6 * tail)));
    for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6)
        out += static_cast<char>(0x80 | ((code >> shift) & 0x3F));
}

bool IsValidUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        const int length = SequenceAt(bytes);
        if (length <= 0)
            return false;
        bytes.remove_prefix(std::size_t(length));
    }
    return true;
}

DecodedText DecodeText(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    DecodedText decoded;
    decoded.Text.reserve(bytes.size());
    if (bytes.starts_with(kByteOrderMark)) {
        decoded.Replaced = AppendUtf8Replacing(decoded.Text, bytes.substr(kByteOrderMark.size()));
        return decoded;
    }
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        const std::string_view line = bytes.substr(start, end - start);
        if (IsValidUtf8(line))
            decoded.Text.append(line);
        else
            AppendWindows1252(decoded.Text, line);
        // Line breaks are ASCII and never inside a longer sequence, so each
        // line is judged on its own; the break itself goes along as it is.
        decoded.Text.append(bytes.substr(end, std::min<std::size_t>(1, bytes.size() - end)));
        start = end + 1;
    }
    return decoded;
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
