#include "project/region_fields.h"

namespace tolv {

void CopyPersistentFields(const Region& from, Region& to)
{
    ForEachPersistentMember([&](auto member) { to.*member = from.*member; });
}

bool SamePersistentFields(const Region& a, const Region& b)
{
    bool same = true;
    ForEachPersistentMember([&](auto member) { same = same && a.*member == b.*member; });
    return same;
}

}  // namespace tolv
