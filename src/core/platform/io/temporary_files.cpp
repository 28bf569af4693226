#include "platform/io/temporary_files.h"

#include "platform/io/text_encoding.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <optional>
#include <random>
#include <regex>

namespace tolv {

namespace {

constexpr std::string_view RandomLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int RandomLength = 6;
constexpr std::size_t MaxHostLength = 32;
constexpr std::time_t StaleSeconds = 60;

// The machine's short host name, reduced to letters, digits and dashes so
// that the name stays parseable.
std::string MakeHostTag()
{
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return "host";
    std::string tag;
    for (const char* c = name; *c != '\0' && *c != '.' && tag.size() < MaxHostLength; ++c) {
        const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9');
        tag += plain ? *c : '-';
    }
    return tag;
}

const std::string& HostTag()
{
    static const std::string tag = MakeHostTag();
    return tag;
}

std::string RandomPart()
{
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, RandomLetters.size() - 1);
    std::string part(RandomLength, ' ');
    for (char& c : part)
        c = RandomLetters[pick(random)];
    return part;
}

struct Writer {
    int pid = 0;
    std::string host;
};

// The writer named by one of our temporaries (as TemporaryName makes them);
// nothing for any other name.
std::optional<Writer> WriterOf(const std::string& name)
{
    static const std::regex pattern(R"(\..+\.tolvane-tmp-([1-9][0-9]{0,8})@([A-Za-z0-9-]{1,32})\.[A-Za-z0-9]{6})");
    std::smatch match;
    if (!std::regex_match(name, match, pattern))
        return std::nullopt;
    return Writer{std::stoi(match[1].str()), match[2].str()};
}

// A process we may not signal still runs.
bool ProcessRuns(int pid)
{
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

bool IsStale(const OpenFolder& folder, const std::string& name, std::time_t now)
{
    const std::optional<Writer> writer = WriterOf(name);
    struct stat info {};
    if (!writer || ::fstatat(folder.fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
        return false;
    const bool untouched = info.st_mtime <= now - StaleSeconds;
    return untouched || (writer->host == HostTag() && !ProcessRuns(writer->pid));
}

}  // namespace

std::string TemporaryName(std::string_view targetName, int writerPid)
{
    const std::string suffix = ".tolvane-tmp-" + std::to_string(writerPid) + "@" + HostTag() + "." + RandomPart();
    return "." + std::string(Utf8Prefix(targetName, NAME_MAX - 1 - suffix.size())) + suffix;
}

void SweepStaleTemporaries(const OpenFolder& folder)
{
    const std::time_t now = std::time(nullptr);
    for (const std::string& name : folder.names()) {
        if (IsStale(folder, name, now))
            ::unlinkat(folder.fd(), name.c_str(), 0);
    }
}

}  // namespace tolv
