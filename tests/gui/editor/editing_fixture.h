#pragma once

// Mouse steps go through the window, as the user's do: the window finds the
// widget under the pointer, and the pressed widget keeps the mouse until the
// release. This file must come first in a test so that QTest sees it.
#define QTEST_QPA_MOUSE_HANDLING

#include "gui/gui_fixture.h"

#include "gui/common/input_query.h"
#include "gui/dialogs/dialog_test_support.h"
#include "gui/dialogs/region_properties_dialog.h"
#include "gui/editor/frame_canvas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>

#include <functional>
#include <string>
#include <vector>

namespace tolv::gui::test {

// Geometry and name of a region in a test project.
struct RegionSpec {
    int left, top, width, height;
    std::string name;
    // More lines of its section, such as worksheet rows.
    std::vector<std::string> lines = {};
};

// A project of two 200 x 150 frames with the given regions, opened in the
// shown and active main window; mouse and keys go through the real window.
class Editing : public GuiFixture {
protected:
    ~Editing() override { SetInputAnswerer({}); }

    void Open(const std::vector<RegionSpec>& regions, const std::vector<std::string>& extra = {})
    {
        MakeFrame("f1.bmp", 200, 150, colors::Blue);
        MakeFrame("f2.bmp", 200, 150, colors::Blue);
        std::vector<std::string> lines = {"[Main]",   "Version2=1", "Regions=" + std::to_string(regions.size()),
                                          "[Frames]", "1=f1.bmp",   "2=f2.bmp"};
        for (std::size_t i = 0; i < regions.size(); ++i) {
            const RegionSpec& r = regions[i];
            lines.push_back("[Region" + std::to_string(i + 1) + "]");
            lines.push_back("Position=" + std::to_string(r.left) + "," + std::to_string(r.top) + ","
                            + std::to_string(r.width) + "," + std::to_string(r.height));
            lines.push_back("Name=" + r.name);
            lines.insert(lines.end(), r.lines.begin(), r.lines.end());
        }
        lines.insert(lines.end(), extra.begin(), extra.end());
        Start({QString::fromStdString(MakeProject("editing.qvl", lines))});
        ActivateWindow(form());
        form().ui().canvasScroll->setFocus();
    }

    FrameCanvas& canvas() { return form().canvas(); }
    Region& At(int index) { return *project().Regions.at(std::size_t(index)); }
    QRect Rect(int index)
    {
        const Region& r = At(index);
        return {r.Left, r.Top, r.Width, r.Height};
    }
    QString Status(int panel) { return form().statusText(panel); }

    // Mouse steps in canvas positions; the window routes them to whatever
    // lies there, and after a press to the pressed item.
    void Press(QPoint at, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(&canvas(), button, mods, at);
    }
    void MoveTo(QPoint at) { QTest::mouseMove(&canvas(), at); }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseRelease(&canvas(), button, {}, at); }
    // A drag in `steps` even steps.
    void Drag(QPoint from, QPoint to, int steps = 4, Qt::KeyboardModifiers mods = {})
    {
        Press(from, mods);
        for (int i = 1; i <= steps; ++i)
            MoveTo(from + (to - from) * i / steps);
        Release(to);
    }
    void Click(QPoint at, Qt::KeyboardModifiers mods = {}) { Drag(at, at, 0, mods); }

    // Keys as the user types them, to the scroll box that has the focus.
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(form().ui().canvasScroll, key, mods); }

    // Answers the next Region Object Properties dialog: `edit` runs while it
    // is open, then it is closed with OK or Cancel.
    // The answer waits for the dialog to show, and gives up after a while
    // so that a dialog that never opens leaves no answer behind.
    void AnswerRegionDialog(bool ok, std::function<void(RegionPropertiesDialog&)> edit = {})
    {
        RegionPropertiesDialog* dialog = &windows().regionProperties();
        auto* timer = new QTimer(dialog);
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [dialog, timer, ok, edit, tries = 0]() mutable {
            if (dialog->isVisible()) {
                if (edit)
                    edit(*dialog);
                ok ? dialog->accept() : dialog->reject();
            } else if (++tries < 400) {
                return;
            }
            timer->deleteLater();
            timer->stop();
        });
        timer->start();
    }
};

}  // namespace tolv::gui::test
