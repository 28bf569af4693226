#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolv {

// Text files of older versions were written in the Windows-1252 code page,
// newer ones in UTF-8. Returns the text as UTF-8: unchanged when the bytes are
// valid UTF-8 (a leading byte order mark is dropped), otherwise converted from
// Windows-1252, where the five unassigned bytes map to the C1 controls of the
// same value, as Windows itself converts them.
std::string DecodeTextToUtf8(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// The longest start of `text` of at most `room` bytes that does not end inside
// a UTF-8 sequence: a name cut to fit a length limit.
std::string_view Utf8Prefix(std::string_view text, std::size_t room);

}  // namespace tolv
