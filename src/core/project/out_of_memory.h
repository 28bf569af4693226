#pragma once

namespace tolv {

// What an operation ends with when memory runs out anywhere in loading,
// checking or running: the same words in the desktop program and the CLI.
inline constexpr const char* OutOfMemoryMessage = "Not enough memory to complete the operation.";

}  // namespace tolv
