#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolv {

// Text as read from a file, in UTF-8.
struct DecodedText {
    std::string Text;
    // Some bytes could not be decoded and stand as U+FFFD: the text is not
    // all the file held.
    bool Replaced = false;
};

// Text files of older versions were written in the Windows-1252 code page,
// newer ones in UTF-8, and hand edits mix them. Decodes line by line: a line
// that is valid UTF-8 stays as it is, any other line is converted from
// Windows-1252, where the five unassigned bytes map to the C1 controls of the
// same value, as Windows itself converts them. A leading UTF-8 byte order
// mark says the whole text is UTF-8: it is dropped, and each invalid sequence
// becomes one U+FFFD (Replaced).
DecodedText DecodeText(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// The longest start of `text` of at most `room` bytes that does not end inside
// a UTF-8 sequence: a name cut to fit a length limit.
std::string_view Utf8Prefix(std::string_view text, std::size_t room);

// Appends a code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t code);

}  // namespace tolv
