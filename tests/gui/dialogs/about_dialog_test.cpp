#include "gui/dialogs/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tolv::gui {
namespace {

TEST(AboutDialog, ShowsNameAndPurpose)
{
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), "Tolv - The Quillard");
    EXPECT_EQ(about.findChild<QLabel*>("Heading")->text(), "Tolv");
    EXPECT_EQ(about.findChild<QLabel*>("Description")->text(), "Extracts bitmaps from animation backgrounds.");
    EXPECT_EQ(about.findChild<QPushButton*>("closeButton")->text(), "&Close");
}

TEST(AboutDialog, ShowsTheVersionOfTheBuild)
{
    AboutDialog about;
    EXPECT_EQ(about.findChild<QLabel*>("Version")->text(), "Version " TOLV_VERSION);
}

TEST(AboutDialog, EscapeClosesItWhileTheCloseButtonHasTheFocus)
{
    AboutDialog about;
    for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, &about, [&about] {
            auto* close = about.findChild<QPushButton*>("closeButton");
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
    AboutDialog about;
    QTimer::singleShot(0, &about,
                       [&about] { QTest::mouseClick(about.findChild<QPushButton*>("closeButton"), Qt::LeftButton); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace tolv::gui
