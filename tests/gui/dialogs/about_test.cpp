#include "gui/dialogs/dlg_about.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tolv::gui {
namespace {

TEST(AboutDialog, ShowsNameAndPurpose)
{
    TDlg_About about;
    EXPECT_EQ(about.windowTitle(), "Tolv - The Quillard");
    EXPECT_EQ(about.findChild<QLabel*>("Heading")->text(), "Tolv");
    EXPECT_EQ(about.findChild<QLabel*>("Description")->text(), "Extracts bitmaps from animation backgrounds.");
    EXPECT_EQ(about.findChild<QPushButton*>("OKButton")->text(), "&Close");
}

TEST(AboutDialog, ShowsTheVersionOfTheBuild)
{
    TDlg_About about;
    EXPECT_EQ(about.findChild<QLabel*>("Version")->text(), "Version " TOLV_VERSION);
}

TEST(AboutDialog, EscapeClosesItWhileTheCloseButtonHasTheFocus)
{
    TDlg_About about;
    for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, &about, [&about] {
            auto* close = about.findChild<QPushButton*>("OKButton");
            close->setFocus();
            QTest::keyClick(close, Qt::Key_Escape);
        });
        about.exec();
        EXPECT_FALSE(about.isVisible());
        EXPECT_EQ(about.findChild<QLabel*>("Heading")->text(), "Tolv");
    }
}

TEST(AboutDialog, CloseButtonClosesIt)
{
    TDlg_About about;
    QTimer::singleShot(0, &about, [&about] { QTest::mouseClick(about.findChild<QPushButton*>("OKButton"), Qt::LeftButton); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace tolv::gui
