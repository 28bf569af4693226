#include "document/step_name.h"

namespace tolv {

std::string StepName::text(std::size_t regions) const
{
    if (!countsRegions)
        return verb;
    if (regions == 1)
        return std::string(verb) + " Region";
    return std::string(verb) + " " + std::to_string(regions) + " Regions";
}

}  // namespace tolv
