// Preloaded into a tolvane-cli that a test means to kill at a known moment:
// the process stops itself (SIGSTOP) just before it puts its Nth temporary
// file in place, N taken from TOLV_STOP_BEFORE_RENAME. The test then sees
// exactly N - 1 finished outputs and one whole temporary file, without
// racing the writer.
#include <dlfcn.h>
#include <signal.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {

using RenameAt = int (*)(int, const char*, int, const char*);

std::atomic<long>& RenamesLeft()
{
    static std::atomic<long> left = [] {
        const char* count = std::getenv("TOLV_STOP_BEFORE_RENAME");
        return count ? std::atol(count) : 0L;
    }();
    return left;
}

}  // namespace

extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to)
{
    static const auto real = reinterpret_cast<RenameAt>(::dlsym(RTLD_NEXT, "renameat"));
    if (std::strstr(from, ".tolvane-tmp-") && RenamesLeft().fetch_sub(1) == 1)
        ::raise(SIGSTOP);
    return real(fromFolder, from, toFolder, to);
}
