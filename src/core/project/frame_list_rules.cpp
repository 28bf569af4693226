#include "project/frame_list_rules.h"

#include "project/project.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace tolv {

const char* const FrameListFullMessage = "A project holds at most 50 animation frames.";

bool FrameListFull(std::size_t frameCount)
{
    return frameCount >= std::size_t(MaxFrames);
}

bool NameLessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) < std::tolower(y);
    });
}

std::size_t SortedInsertIndex(const std::vector<std::string>& sorted, const std::string& name)
{
    return std::size_t(std::upper_bound(sorted.begin(), sorted.end(), name, NameLessIgnoringCase) - sorted.begin());
}

void SortIgnoringCase(std::vector<std::string>& names)
{
    std::stable_sort(names.begin(), names.end(), NameLessIgnoringCase);
}

namespace {

bool HasBmpExtension(const std::string& name)
{
    static const std::string bmp = ".bmp";
    if (name.size() < bmp.size())
        return false;
    return std::equal(bmp.begin(), bmp.end(), name.end() - bmp.size(),
                      [](char b, unsigned char c) { return b == std::tolower(c); });
}

}  // namespace

std::vector<std::string> ListBmpFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string name = it->path().filename().string();
        if (HasBmpExtension(name))
            names.push_back(name);
    }
    // Names that differ only in case get a fixed order, whatever the
    // directory's own order.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return NameLessIgnoringCase(a, b) || (!NameLessIgnoringCase(b, a) && a < b);
    });
    return names;
}

}  // namespace tolv
