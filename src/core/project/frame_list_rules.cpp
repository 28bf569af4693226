#include "project/frame_list_rules.h"

#include "project/project.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <numeric>
#include <string_view>
#include <system_error>

namespace tolv {

namespace {

ListOrder Unmoved(std::size_t count)
{
    ListOrder order(count);
    std::iota(order.begin(), order.end(), std::size_t(0));
    return order;
}

std::vector<bool> SelectionFlags(std::size_t count, std::span<const std::size_t> selected)
{
    std::vector<bool> flags(count, false);
    for (const std::size_t position : selected)
        if (position < count)
            flags[position] = true;
    return flags;
}

// Position i of the list seen upside down.
std::size_t Mirrored(std::size_t count, std::size_t position)
{
    return count - 1 - position;
}

}  // namespace

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

bool EndsWithIgnoringCase(const std::string& name, std::string_view lowerEnd)
{
    if (name.size() < lowerEnd.size())
        return false;
    return std::equal(lowerEnd.begin(), lowerEnd.end(), name.end() - std::ptrdiff_t(lowerEnd.size()),
                      [](char e, unsigned char c) { return e == std::tolower(c); });
}

bool HasPictureExtension(const std::string& name)
{
    return EndsWithIgnoringCase(name, ".bmp") || EndsWithIgnoringCase(name, ".png");
}

}  // namespace

std::vector<std::string> ListFrameFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string name = it->path().filename().string();
        if (HasPictureExtension(name))
            names.push_back(name);
    }
    // Names that differ only in case get a fixed order, whatever the
    // directory's own order.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return NameLessIgnoringCase(a, b) || (!NameLessIgnoringCase(b, a) && a < b);
    });
    return names;
}

ListOrder OrderMovedUp(std::size_t count, std::span<const std::size_t> selected)
{
    const std::vector<bool> flags = SelectionFlags(count, selected);
    ListOrder order = Unmoved(count);
    // From the top down, so a selected run moves up as a whole.
    for (std::size_t i = 1; i < count; ++i)
        if (flags[order[i]] && !flags[order[i - 1]])
            std::swap(order[i], order[i - 1]);
    return order;
}

// Moving down is moving up in the list seen upside down.
ListOrder OrderMovedDown(std::size_t count, std::span<const std::size_t> selected)
{
    std::vector<std::size_t> flipped;
    for (auto position = selected.rbegin(); position != selected.rend(); ++position)
        if (*position < count)
            flipped.push_back(Mirrored(count, *position));
    const ListOrder up = OrderMovedUp(count, flipped);
    ListOrder order(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = Mirrored(count, up[Mirrored(count, i)]);
    return order;
}

ListOrder OrderMovedTo(std::size_t count, std::span<const std::size_t> selected, std::size_t target)
{
    const std::vector<bool> flags = SelectionFlags(count, selected);
    ListOrder moved;
    ListOrder staying;
    std::size_t before = 0;
    for (std::size_t position = 0; position < count; ++position) {
        (flags[position] ? moved : staying).push_back(position);
        if (!flags[position] && position < target)
            ++before;
    }
    staying.insert(staying.begin() + std::ptrdiff_t(before), moved.begin(), moved.end());
    return staying;
}

bool MovesAnything(const ListOrder& order)
{
    return order != Unmoved(order.size());
}

}  // namespace tolv
