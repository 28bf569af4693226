#include "document/edit_values.h"

#include <tuple>

namespace tolv {

namespace {

auto PersistentFields(const Region& r)
{
    return std::tie(r.Left, r.Top, r.Width, r.Height, r.Name, r.Visible, r.RegionType, r.OVLName, r.Title,
                    r.LineWidth, r.TitleHeight, r.TitleColor, r.BoxColor, r.InputFrame, r.OutputFile, r.MergeImage,
                    r.MergeMask);
}

std::size_t HeapBytes(const WorksheetColumn& column)
{
    std::size_t bytes = column.storedRows() * sizeof(std::string);
    for (const std::string& cell : column)
        bytes += tolv::HeapBytes(cell);
    return bytes;
}

}  // namespace

void AssignProperties(Region& target, Region record)
{
    record.Selected = target.Selected;
    record.PickIndex = target.PickIndex;
    target = std::move(record);
}

bool SameProperties(const Region& a, const Region& b)
{
    return PersistentFields(a) == PersistentFields(b);
}

std::size_t HeapBytes(const std::string& text)
{
    // Short texts live inside the string object itself.
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

std::size_t HeapBytes(const Region& region)
{
    return HeapBytes(region.Name) + HeapBytes(region.OVLName) + HeapBytes(region.InputFrame) +
           HeapBytes(region.OutputFile);
}

std::size_t HeapBytes(const FrameSetup& setup)
{
    std::size_t bytes = setup.Setup.FrameNames.capacity() * sizeof(std::string);
    for (const std::string& name : setup.Setup.FrameNames)
        bytes += HeapBytes(name);
    return bytes + HeapBytes(setup.Setup.Rep) + HeapBytes(setup.Setup.Job);
}

}  // namespace tolv
