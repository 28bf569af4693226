#include "gui/editor/editing_fixture.h"

#include "gui/panels/frame_strip_model.h"
#include "gui/panels/frames_panel.h"
#include "gui/panels/thumbnail_cache.h"

#include <QListView>

#include <filesystem>

namespace tolv::gui::test {
namespace {

class FramesPanelTest : public Editing {
protected:
    void SetUp() override
    {
        Open({{10, 10, 20, 20, "Ball", {"Clip1=f2.bmp,,ball2.bmp"}}, {50, 10, 20, 20, "Bat"}});
        panel().show();
        QCoreApplication::processEvents();
    }

    FramesPanel& panel() { return form().framesPanel(); }
    QListView& strip() { return panel().strip(); }
    void ClickTile(int position, Qt::KeyboardModifiers mods = {})
    {
        const QRect tile = strip().visualRect(strip().model()->index(position - 1, 0));
        QTest::mouseClick(strip().viewport(), Qt::LeftButton, mods, tile.center());
    }
    bool Marked(int position)
    {
        return strip().model()->index(position - 1, 0).data(FrameStripModel::TakenRole).toBool();
    }
};

TEST_F(FramesPanelTest, TheStripStepsFramesAndFollowsTheCanvas)
{
    ClickTile(2);
    EXPECT_EQ(project().CurrentFrame, 2);
    EXPECT_EQ(strip().currentIndex().row(), 1);
    form().showAdjacentFrame(FrameStep::Previous);
    EXPECT_EQ(strip().currentIndex().row(), 0);
}

TEST_F(FramesPanelTest, AltClickTogglesTheFrameInTheCurrentWorksheetAsOneStep)
{
    Select(0);
    EXPECT_FALSE(Marked(1));
    EXPECT_TRUE(Marked(2));
    ClickTile(1, Qt::AltModifier);
    EXPECT_EQ(project().CurrentFrame, 1);
    EXPECT_EQ(At(0).InputFrame[1], "f1.bmp");
    EXPECT_EQ(At(0).OutputFile[1], "Ball_001.bmp");
    EXPECT_TRUE(Marked(1));
    EXPECT_EQ(form().document().undoText(), "Undo Toggle Frame");
    form().document().undo();
    EXPECT_FALSE(Marked(1));
    Select(1);
    EXPECT_FALSE(Marked(2));
}

TEST_F(FramesPanelTest, PicturesComeOffTheGuiThreadAndAMissingFrameShowsTheCheckerboard)
{
    const QModelIndex first = strip().model()->index(0, 0);
    for (int wait = 0; wait < 200 && first.data(Qt::DecorationRole).isNull(); ++wait)
        QTest::qWait(10);
    const QImage picture = first.data(Qt::DecorationRole).value<QImage>();
    EXPECT_EQ(picture.size(),
              QSize(200, 150).scaled(ThumbnailCache::Width, ThumbnailCache::Height, Qt::KeepAspectRatio));

    std::filesystem::remove(File("f2.bmp"));
    Start({QString::fromStdString(File("editing.qvl"))});
    EXPECT_EQ(strip().model()->index(1, 0).data(Qt::DecorationRole).value<QImage>(), ThumbnailCache::missing());
}

}  // namespace
}  // namespace tolv::gui::test
