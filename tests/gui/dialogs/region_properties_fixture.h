#pragma once

#include "gui/dialogs/region_properties_dialog.h"

#include "dialog_test_support.h"
#include "gui/dialogs/colour_swatch.h"
#include "gui/dialogs/worksheet_grid.h"
#include "support/test_files.h"

#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tolv::gui::test {

class XlistTest : public testing::Test {
protected:
    template <class W>
    W* Child(const char* name)
    {
        return test::Child<W>(dialog, name);
    }
    WorksheetGrid* Grid() { return Child<WorksheetGrid>("worksheet"); }
    QListWidget* frameList() { return Child<QListWidget>("frameList"); }
    ColourSwatch* Title() { return Child<ColourSwatch>("titleColourSwatch"); }
    ColourSwatch* Box() { return Child<ColourSwatch>("boxColourSwatch"); }

    // The steps of an opening for a new region.
    void PrepareNew(const std::vector<std::string>& frames)
    {
        dialog.clearEdits();
        dialog.resetForNewRegion();
        dialog.setFrames(frames, dir.path().string(), false);
    }

    void ClickType(int index)
    {
        QTest::mouseClick(Child<QRadioButton>(QString("typeGroup%1").arg(index + 1).toUtf8()), Qt::LeftButton, {},
                          QPoint(5, 8));
    }

    QPoint CellCentre(int row, int column) { return Grid()->visualRect(Grid()->model()->index(row, column)).center(); }

    void DoubleClickFrame(int index)
    {
        const QRect rect = frameList()->visualItemRect(frameList()->item(index));
        QTest::mouseClick(frameList()->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(frameList()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    tolv::test::TempDir dir;
    RegionPropertiesDialog dialog;
};

}  // namespace tolv::gui::test
