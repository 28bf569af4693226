#include "editing_fixture.h"

#include "gui/common/help_router.h"
#include "gui/common/help_viewer.h"
#include "gui/mainwindow/geometry_bar.h"
#include "gui/mainwindow/key_preview.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolTip>
#include <QWheelEvent>

namespace tolv::gui::test {
namespace {

// The canvas at a zoom, driven by the real mouse in screen pixels.
class Zoom : public Editing {
protected:
    void ZoomTo(double scale) { form().view().zoomTo(scale, {0, 0}); }
    // Screen pixel of a frame pixel at the zoom.
    static QPoint At(double scale, int x, int y) { return {int(x * scale), int(y * scale)}; }
};

struct BandCase {
    const char* name;
    double scale;
    QPoint from, to;
    QRect created;
};

class BandAtZoom : public Zoom, public testing::WithParamInterface<BandCase> {};

TEST_P(BandAtZoom, CreatesTheRectangleOfTheFramePixelsItCovers)
{
    const BandCase& c = GetParam();
    Open({});
    ZoomTo(c.scale);
    AnswerRegionDialog(true);
    Drag(c.from, c.to);
    ASSERT_EQ(project().Regions.size(), 1u);
    EXPECT_EQ(Rect(0), c.created);
    EXPECT_EQ(canvas().shownRect(Editing::At(0)),
              QRect(QPoint(int(c.created.left() * c.scale), int(c.created.top() * c.scale)),
                    QPoint(int((c.created.right() + 1) * c.scale) - 1, int((c.created.bottom() + 1) * c.scale) - 1)));
}

INSTANTIATE_TEST_SUITE_P(Levels, BandAtZoom,
                         testing::Values(BandCase{"Actual", 1.0, {10, 20}, {17, 29}, {10, 20, 7, 9}},
                                         BandCase{"FourTimes", 4.0, {43, 80}, {71, 123}, {10, 20, 7, 10}},
                                         BandCase{"Quarter", 0.25, {12, 5}, {2, 20}, {8, 20, 40, 60}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Zoom, AMoveAtEightHundredPercentGoesByWholeFramePixelsWithoutRebuildingTheFrame)
{
    Open({{10, 10, 20, 20, "A"}});
    ZoomTo(8.0);
    Click(At(8.0, 15, 15));
    const int rebuilds = canvas().imageRebuilds();
    Press(At(8.0, 15, 15));
    for (int i = 1; i <= 12; ++i)
        MoveTo(At(8.0, 15, 15) + QPoint(i * 3, i * 2));
    EXPECT_EQ(canvas().imageRebuilds(), rebuilds);
    EXPECT_EQ(Status(0), " x:19  y:18");
    Release(At(8.0, 15, 15) + QPoint(36, 24));
    EXPECT_EQ(Rect(0), QRect(14, 13, 20, 20));
    EXPECT_EQ(Status(1), " x:14  y:13   w:20 h:20");
}

TEST_F(Zoom, TheSizeHandleKeepsItsScreenSize)
{
    Open({{10, 10, 20, 20, "A"}});
    ZoomTo(4.0);
    Click(At(4.0, 15, 15));
    // The last 6 screen pixels are the handle: 1.5 frame pixels at 400 %.
    const QPoint handle = At(4.0, 30, 30) - QPoint(3, 3);
    Press(handle);
    EXPECT_EQ(canvas().drag().gesture, Gesture::Sizing);
    MoveTo(handle + QPoint(20, 40));
    Release(handle + QPoint(20, 40));
    EXPECT_EQ(Rect(0), QRect(10, 10, 25, 30));
}

TEST_F(Zoom, CtrlWheelZoomsOneLevelAboutThePointer)
{
    Open({});
    ZoomTo(4.0);
    const QPoint pointer(480, 360);  // frame pixel (120, 90) at 400 %
    const QPoint viewport = canvas().mapTo(form().ui().canvasScroll->viewport(), pointer);
    QWheelEvent notch(pointer, canvas().mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas(), &notch);
    EXPECT_EQ(canvas().zoom(), 6.0);
    EXPECT_EQ(Status(3), " 600 %");
    const QPoint under = canvas().mapFrom(form().ui().canvasScroll->viewport(), viewport);
    EXPECT_EQ(canvas().pixelAt(under), (Point{120, 90}));
}

// Seen: only whole notches zoomed, so touchpads and fine wheels never did.
TEST_F(Zoom, CtrlWheelAddsUpPartsOfANotch)
{
    Open({});
    const QPoint pointer(40, 40);
    for (int i = 0; i < 3; ++i) {
        QWheelEvent part(pointer, canvas().mapToGlobal(pointer), {}, {0, 40}, Qt::NoButton, Qt::ControlModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas(), &part);
    }
    EXPECT_EQ(canvas().zoom(), 2.0);
}

TEST_F(Zoom, AMiddleButtonDragPansTheView)
{
    Open({{10, 10, 20, 20, "A"}});
    ZoomTo(8.0);
    QScrollBar* h = form().ui().canvasScroll->horizontalScrollBar();
    QScrollBar* v = form().ui().canvasScroll->verticalScrollBar();
    h->setValue(100);
    v->setValue(100);
    // In places of the viewport, which stays where it is while the canvas moves.
    QWidget* view = form().ui().canvasScroll->viewport();
    QTest::mousePress(view, Qt::MiddleButton, {}, {300, 300});
    QTest::mouseMove(view, {280, 290});
    QTest::mouseMove(view, {250, 280});
    QTest::mouseRelease(view, Qt::MiddleButton, {}, {250, 280});
    EXPECT_EQ(h->value(), 150);
    EXPECT_EQ(v->value(), 120);
    EXPECT_EQ(Rect(0), QRect(10, 10, 20, 20));
    EXPECT_EQ(project().selection.current(), nullptr);
}

TEST_F(Zoom, TheViewItemsStepFitAndComeBackToActualSize)
{
    Open({});
    form().ui().zoomInAction->trigger();
    form().ui().zoomInAction->trigger();
    EXPECT_EQ(canvas().zoom(), 3.0);
    form().ui().zoomOutAction->trigger();
    EXPECT_EQ(canvas().zoom(), 2.0);
    form().ui().fitAction->trigger();
    const QSize view = form().ui().canvasScroll->viewport()->size();
    EXPECT_LE(canvas().width(), view.width());
    EXPECT_LE(canvas().height(), view.height());
    EXPECT_TRUE(canvas().width() >= view.width() - 1 || canvas().height() >= view.height() - 1);
    form().ui().actualSizeAction->trigger();
    EXPECT_EQ(canvas().size(), canvas().frameArea());
}

TEST_F(Zoom, ThePixelGridShowsFromEightHundredPercentWithoutRebuildingTheFrame)
{
    Open({});
    form().ui().pixelGridAction->trigger();
    const QRgb frame = canvas().grab(QRect(0, 0, 1, 1)).toImage().pixel(0, 0);
    EXPECT_EQ(canvas().grab(QRect(8, 8, 1, 1)).toImage().pixel(0, 0), frame) << "no grid at 100 %";
    ZoomTo(8.0);
    const int rebuilds = canvas().imageRebuilds();
    EXPECT_NE(canvas().grab(QRect(8, 3, 1, 1)).toImage().pixel(0, 0), frame);
    EXPECT_EQ(canvas().grab(QRect(4, 3, 1, 1)).toImage().pixel(0, 0), frame);
    EXPECT_EQ(canvas().imageRebuilds(), rebuilds);
}

TEST_F(Zoom, SnappingPullsAMoveOntoANeighboursEdgeWithAGuide)
{
    Open({{10, 10, 20, 20, "A"}, {60, 10, 20, 20, "B"}});
    form().ui().snapAction->trigger();
    Click({15, 15});
    Press({15, 15});
    MoveTo({16, 15});
    MoveTo({43, 15});  // A's right edge at 57, 3 pixels from B's left edge
    EXPECT_EQ(canvas().guideX(), 60);
    Release({43, 15});
    EXPECT_EQ(Rect(0), QRect(40, 10, 20, 20));
    EXPECT_FALSE(canvas().guideX());
}

TEST_F(Zoom, ADoubleClickOpensTheRegionsProperties)
{
    Open({{10, 10, 20, 20, "A"}});
    AnswerRegionDialog(true, [](RegionPropertiesDialog& dialog) { dialog.setRegionName("Door"); });
    QTest::mouseDClick(&canvas(), Qt::LeftButton, {}, {15, 15});
    EXPECT_EQ(Editing::At(0).Name, "Door");
}

TEST_F(Zoom, TypedGeometryIsOneEditOnEnter)
{
    Open({{10, 10, 20, 20, "A"}});
    Click({15, 15});
    auto* width = form().ui().geometryBar->findChild<QSpinBox*>("widthField");
    ASSERT_EQ(width->value(), 20);
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, "45");
    EXPECT_EQ(Editing::At(0).Width, 20) << "nothing before Enter";
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(Rect(0), QRect(10, 10, 45, 20));
    EXPECT_EQ(form().ui().undoAction->text(), "&Undo Set Geometry");
}

TEST_F(Zoom, CopyAndPasteGoThroughTheClipboardOffsetAndSelected)
{
    Open({{10, 10, 20, 20, "A", {"Clip1=f1.bmp,,a1.bmp"}}, {60, 10, 20, 20, "B"}});
    Click({15, 15});
    Click({65, 15}, Qt::ShiftModifier);
    form().ui().copyAction->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("[Region2]"));
    form().ui().pasteAction->trigger();
    ASSERT_EQ(project().Regions.size(), 4u);
    EXPECT_EQ(Rect(2), QRect(20, 20, 20, 20));
    EXPECT_EQ(Editing::At(2).OutputFile[0], "a1.bmp");
    EXPECT_EQ(project().selection.current(), &Editing::At(3));
    EXPECT_EQ(project().selection.stateOf(Editing::At(2)), SelectionState::Group);
    EXPECT_EQ(project().selection.stateOf(Editing::At(0)), SelectionState::None);

    form().ui().cutAction->trigger();
    EXPECT_EQ(project().Regions.size(), 2u);
    form().ui().pasteAction->trigger();
    EXPECT_EQ(Rect(2), QRect(20, 20, 20, 20)) << "not on an original any more: no offset";
}

TEST(KeyRepeats, AHeldKeyCountsOnceEvenWhenItsRepeatsAreNotFlagged)
{
    KeyRepeats repeats;
    int actions = 0;
    const auto stroke = [&](unsigned long pressed, unsigned long released) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
        press.setTimestamp(pressed);
        actions += repeats.pressRepeats(press) ? 0 : 1;
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Insert, Qt::ShiftModifier);
        release.setTimestamp(released);
        repeats.releaseRepeats(release);
    };
    stroke(100, 760);
    for (unsigned long t = 760; t < 1500; t += 40)
        stroke(t, t + 40);  // a held key: each press shares its time with the release before it
    EXPECT_EQ(actions, 1);
    stroke(1800, 1900);
    EXPECT_EQ(actions, 2) << "pressed afresh";
}

TEST_F(Zoom, EverySideOfAnOutlineHasTheSameDashes)
{
    Open({{20, 20, 60, 60, "A"}});
    const QImage shown = canvas().grab(QRect(20, 20, 60, 60)).toImage();
    const QRgb black = qRgb(0, 0, 0);
    // The lengths of the dashes along one side, without the first and the
    // last, which the corners may cut.
    const auto dashes = [&](QPoint from, QPoint step, int count) {
        std::vector<int> runs;
        int run = 0;
        for (int i = 0; i < count; ++i, from += step) {
            if (shown.pixel(from) == black) {
                ++run;
            } else if (run > 0) {
                runs.push_back(run);
                run = 0;
            }
        }
        return std::vector<int>(runs.begin() + 1, runs.end());
    };
    const std::vector<int> threes(5, 3);
    for (const auto& side : {dashes({0, 0}, {1, 0}, 60), dashes({0, 59}, {1, 0}, 60), dashes({0, 0}, {0, 1}, 60),
                             dashes({59, 0}, {0, 1}, 60)}) {
        ASSERT_GE(side.size(), 6u);
        EXPECT_EQ(std::vector<int>(side.begin(), side.begin() + 5), threes);
    }
}

TEST_F(Zoom, APressOnAToolTipActsOnTheCanvasBelow)
{
    Open({{10, 10, 40, 40, "A"}});
    QToolTip::showText(canvas().mapToGlobal(QPoint(15, 15)), "[A]", &canvas());
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->windowType() == Qt::ToolTip && widget->isVisible())
            tip = widget;
    ASSERT_NE(tip, nullptr);
    const QPoint onRegion = canvas().mapToGlobal(QPoint(30, 30));
    tip->move(onRegion - QPoint(2, 2));
    QMouseEvent press(QEvent::MouseButtonPress, tip->mapFromGlobal(QPointF(onRegion)), QPointF(onRegion),
                      Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(tip, &press);
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(project().selection.current(), &Editing::At(0));
    EXPECT_EQ(canvas().drag().gesture, Gesture::Pressed);
    Release({30, 30});
    EXPECT_EQ(canvas().drag().gesture, Gesture::None);
}

TEST_F(Zoom, HelpAskedForFromADialogIsUsableWhileTheDialogStaysOpen)
{
    Open({{10, 10, 20, 20, "A"}});
    const QString folder = QString::fromStdString(File("help"));
    QDir().mkpath(folder);
    tolv::test::WriteText(File("help/topic80.htm"), "<p>help</p>");
    form().helpRouter().setHelpFolder(folder);
    Click({15, 15});
    Qt::WindowModality whileOpen = Qt::NonModal;
    AnswerRegionDialog(false, [&](RegionPropertiesDialog& dialog) {
        emit dialog.helpRequested("topic80");
        whileOpen = form().helpRouter().viewer()->windowModality();
        form().helpRouter().viewer()->close();
    });
    form().ui().propertiesAction->trigger();
    EXPECT_EQ(whileOpen, Qt::ApplicationModal);
    form().helpRouter().showTopic("topic80");
    EXPECT_EQ(form().helpRouter().viewer()->windowModality(), Qt::NonModal);
}

}  // namespace
}  // namespace tolv::gui::test
