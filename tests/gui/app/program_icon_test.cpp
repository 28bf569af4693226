#include "gui/app/program_icon.h"

#include <gtest/gtest.h>

namespace tolv::gui {
namespace {

// Without an installed icon theme entry the window icon comes from the copy
// compiled into the program, in every size that is installed.
TEST(ProgramIcon, HasEveryInstalledSizeWithoutAnIconTheme)
{
    const QList<QSize> sizes = ProgramIcon().availableSizes();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

}  // namespace
}  // namespace tolv::gui
