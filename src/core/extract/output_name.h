#pragma once

#include <string>
#include <string_view>

namespace tolv {

// The folder inside the project folder that receives every extracted bitmap.
constexpr const char* OutputFolderName = "VidIziz";

// True when a worksheet output name would write outside the output folder:
// an absolute name (also a Windows drive or a leading backslash) or one with a
// ".." component ("/" and "\" both count as separators). Sub-folders inside
// the output folder are fine.
bool IsUnsafeOutputName(std::string_view name);

// Plain ASCII lower-casing; other bytes stay as they are.
std::string LowerAscii(std::string_view text);

}  // namespace tolv
