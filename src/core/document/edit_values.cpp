#include "document/edit_values.h"

#include "project/region_fields.h"

namespace tolv {

namespace {

std::size_t HeapBytes(const WorksheetColumn& column)
{
    std::size_t bytes = column.storedRows() * sizeof(std::string);
    for (const std::string& cell : column)
        bytes += tolv::HeapBytes(cell);
    return bytes;
}

std::size_t HeapBytes(const SheetSettings& sheet)
{
    return tolv::HeapBytes(sheet.File);
}

}  // namespace

bool SameProperties(const Region& a, const Region& b)
{
    return SamePersistentFields(a, b) && a.MergeImage == b.MergeImage && a.MergeMask == b.MergeMask;
}

std::size_t HeapBytes(const std::string& text)
{
    // Short texts live inside the string object itself.
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

std::size_t HeapBytes(const Region& region)
{
    std::size_t bytes = 0;
    ForEachPersistentMember([&](auto member) { bytes += HeapBytes(region.*member); });
    return bytes;
}

std::size_t HeapBytes(const FrameSetup& setup)
{
    std::size_t bytes = setup.Setup.FrameNames.capacity() * sizeof(std::string);
    for (const std::string& name : setup.Setup.FrameNames)
        bytes += HeapBytes(name);
    return bytes + HeapBytes(setup.Setup.Rep) + HeapBytes(setup.Setup.Job);
}

}  // namespace tolv
