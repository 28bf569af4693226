#pragma once

#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tolv::test {

// A symbolic link on the way to an output, pointing out of the project.
struct OutputLinkCase {
    const char* name;
    std::string link;  // below the project folder
    std::string pointsTo;  // below the outside folder, "" for that folder
    std::string output;  // the worksheet output name that passes the link
    bool outputFolder() const { return link == "VidIziz"; }
};

// The file that every link case would overwrite.
constexpr const char* OutsideFile = "c.bmp";

inline void LayOutLink(const OutputLinkCase& c, const std::filesystem::path& project,
                       const std::filesystem::path& outside)
{
    WriteText((outside / OutsideFile).string(), "precious");
    std::filesystem::create_directories((project / c.link).parent_path());
    std::filesystem::create_symlink(outside / c.pointsTo, project / c.link);
}

inline auto OutputLinkCases()
{
    return testing::Values(OutputLinkCase{"OutputFolder", "VidIziz", "", "c.bmp"},
                           OutputLinkCase{"SubFolder", "VidIziz/dir", "", "dir/c.bmp"},
                           OutputLinkCase{"DeeperSubFolder", "VidIziz/a/b", "", "a/./b/c.bmp"},
                           OutputLinkCase{"OutputFile", "VidIziz/c.bmp", OutsideFile, "c.bmp"});
}

inline std::string OutputLinkName(const testing::TestParamInfo<OutputLinkCase>& info)
{
    return info.param.name;
}

}  // namespace tolv::test
