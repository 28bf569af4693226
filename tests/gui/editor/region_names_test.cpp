#include "editing_fixture.h"

#include <QAction>
#include <QImage>

namespace tolv::gui::test {
namespace {

// Seen: at low zoom a small region clipped its own name to nothing.
class RegionNames : public Editing {
protected:
    QImage Shown()
    {
        QImage image(canvas().size(), QImage::Format_RGB32);
        canvas().render(&image);
        return image;
    }
};

TEST_F(RegionNames, ReadOnAPlateAtTheCornerOfARegionOfAnySize)
{
    Open({{20, 30, 4, 4, "A long name"}});
    form().ui().regionNamesAction->trigger();
    for (const double zoom : {0.25, 1.0, 4.0}) {
        canvas().setZoom(zoom);
        const QImage image = Shown();
        const QRect small = canvas().screenRectOf(At(0));
        // Well right of the four pixels: the plate reaches out of the region.
        const QColor plate = image.pixelColor(small.left() + 30, small.top() + 5);
        const QColor frame = image.pixelColor(small.left() + 30, small.top() + 20);
        EXPECT_LT(plate.blue(), frame.blue() - 60) << zoom;
    }
    form().ui().regionNamesAction->trigger();
    canvas().setZoom(1.0);
    const QRect small = canvas().screenRectOf(At(0));
    EXPECT_EQ(Shown().pixelColor(small.left() + 30, small.top() + 5), QColor(Qt::blue));
}

}  // namespace
}  // namespace tolv::gui::test
