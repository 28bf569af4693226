// The one translation unit that holds the packer's code.
#define STB_RECT_PACK_IMPLEMENTATION
#include "stb_rect_pack.h"
