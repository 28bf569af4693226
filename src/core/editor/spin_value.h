#pragma once

#include <string_view>

namespace tolv {

// The value of a spin edit's text: a whole number (blanks around it allowed),
// clamped to min..max; any other text, an empty one included, reads as min.
int SpinValue(std::string_view text, int min, int max);

}  // namespace tolv
