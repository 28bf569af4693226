#include "platform/io/content_hash.h"

#include "platform/errors.h"

#include <xxhash.h>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tolv {

namespace {

struct FreeState {
    void operator()(XXH3_state_t* state) const { XXH3_freeState(state); }
};

struct CloseDescriptor {
    void operator()(const int* fd) const { ::close(*fd); }
};

}  // namespace

std::uint64_t ContentHash(std::string_view bytes)
{
    return XXH3_64bits(bytes.data(), bytes.size());
}

std::string ContentHashText(std::uint64_t hash)
{
    const char* const digits = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) {
        text[std::size_t(i)] = digits[hash & 0xF];
    }
    return text;
}

// Streamed, so a large output is never held whole.
FileDigest DigestOfFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        throw FileReadError(path);
    }
    const std::unique_ptr<const int, CloseDescriptor> closer(&fd);
    struct stat info {};
    const std::unique_ptr<XXH3_state_t, FreeState> state(XXH3_createState());
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || !state || XXH3_64bits_reset(state.get()) != XXH_OK) {
        throw FileReadError(path);
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw FileReadError(path);
        }
        if (got == 0) {
            return FileDigest{StampOfIdentity(IdentityFromStat(info)), XXH3_64bits_digest(state.get())};
        }
        XXH3_64bits_update(state.get(), buffer, std::size_t(got));
    }
}

}  // namespace tolv
