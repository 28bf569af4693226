#include "gui/common/icon_set.h"
#include "gui/mainwindow/tool_glyphs.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace tolv::gui {
namespace {

struct IconCase {
    const char* role;
    std::function<QIcon()> icon;
};

bool HasOpaquePixels(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                return true;
    return false;
}

class IconSet : public testing::TestWithParam<IconCase> {};

// The icons are SVG: this fails when Qt's SVG icon engine is not found.
TEST_P(IconSet, DrawsEveryRoleAtEveryToolBarSize)
{
    const QIcon icon = GetParam().icon();
    ASSERT_FALSE(icon.isNull());
    for (int side : {16, 24, 32}) {
        const QImage image = icon.pixmap(side).toImage();
        EXPECT_EQ(image.size(), QSize(side, side)) << side;
        EXPECT_TRUE(HasOpaquePixels(image)) << side;
    }
    EXPECT_EQ(icon.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32)) << "drawn for a HiDPI screen";
}

IconCase Tool(const char* role, ToolGlyph glyph)
{
    return {role, [glyph] { return ToolGlyphIcon(glyph); }};
}

IconCase Kind(const char* role, RegionKind kind)
{
    return {role, [kind] { return RegionKindIcon(kind); }};
}

INSTANTIATE_TEST_SUITE_P(Roles, IconSet,
                         testing::Values(Tool("Hidden", ToolGlyph::Hidden), Tool("Unlocked", ToolGlyph::Unlocked),
                                         Tool("Locked", ToolGlyph::Locked), Tool("Nudge", ToolGlyph::Nudge),
                                         Tool("ShowPaint", ToolGlyph::ShowPaint), Tool("Previous", ToolGlyph::Previous),
                                         Tool("Next", ToolGlyph::Next), Kind("Clip", RegionKind::Clip),
                                         Kind("Background", RegionKind::Background),
                                         Kind("TextBox", RegionKind::TextBox), Kind("Overlay", RegionKind::Overlay)),
                         [](const testing::TestParamInfo<IconCase>& info) { return std::string(info.param.role); });

}  // namespace
}  // namespace tolv::gui
