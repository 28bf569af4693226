#pragma once

#include <png.h>

#include <csetjmp>

namespace tolv::png {

// libpng reports errors by longjmp. Each step runs under its own jump point
// and must hold no object with a destructor, which the jump would skip;
// callers keep their buffers outside and turn `false` into an exception.
template <typename Step>
bool Guarded(png_structp png, Step step)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    step();
    return true;
}

// Errors end the step silently (the caller raises the program's own error);
// warnings are not shown either.
[[noreturn]] inline void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

inline void OnWarning(png_structp, png_const_charp)
{}

}  // namespace tolv::png
