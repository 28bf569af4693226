#include "editor/worksheet_rules.h"

#include <algorithm>
#include <cctype>

namespace tolv {

namespace {

std::string UpperExtension(const std::string& name)
{
    const auto nameStart = name.find_last_of("/\\");
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart))
        return {};
    std::string extension = name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return extension;
}

}  // namespace

std::string CompleteBmpName(const std::string& cell)
{
    if (cell.empty() || UpperExtension(cell) == ".BMP")
        return cell;
    return cell + ".bmp";
}

int FirstEmptyRow(std::span<const std::string> cells)
{
    const auto empty = std::find_if(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
    return empty == cells.end() ? -1 : int(empty - cells.begin());
}

}  // namespace tolv
