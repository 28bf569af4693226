#pragma once

#include "gui/dialogs/xlist.h"

#include "dialog_test_support.h"
#include "gui/dialogs/shape.h"
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
    TWorksheetGrid* Grid() { return Child<TWorksheetGrid>("sgList"); }
    QListWidget* Flist() { return Child<QListWidget>("Flist"); }
    TShape* Title() { return Child<TShape>("tShp"); }
    TShape* Box() { return Child<TShape>("bShp"); }

    // The steps of an opening for a new region.
    void PrepareNew(const std::vector<std::string>& frames)
    {
        dialog.ClearEdits();
        dialog.ResetForNewRegion();
        dialog.SetFrames(frames, dir.path().string(), false);
    }

    void ClickType(int index)
    {
        QTest::mouseClick(Child<QRadioButton>(QString("rgType%1").arg(index + 1).toUtf8()), Qt::LeftButton, {},
                          QPoint(5, 8));
    }

    QPoint CellCentre(int row, int column)
    {
        return Grid()->visualRect(Grid()->model()->index(row, column)).center();
    }

    void DoubleClickFrame(int index)
    {
        const QRect rect = Flist()->visualItemRect(Flist()->item(index));
        QTest::mouseClick(Flist()->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(Flist()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    tolv::test::TempDir dir;
    Txlist dialog;
};

}  // namespace tolv::gui::test
