#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace tolv::test {

// The id of a process that has ended, as a killed writer leaves it.
inline int EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return int(child);
}

}  // namespace tolv::test
