#include "gui/app/dark_look.h"
#include "gui/common/readable_colour.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/project_setup_dialog.h"
#include "gui/dialogs/region_properties_dialog.h"
#include "gui/dialogs/worksheet_fill_dialog.h"
#include "gui/extract/rich_log.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tolv::gui {
namespace {

// The labels a dialog colours itself: its notes and refusals.
QList<QLabel*> ColouredLabels(const QWidget& dialog)
{
    QList<QLabel*> coloured;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->testAttribute(Qt::WA_SetPalette))
            coloured << label;
    return coloured;
}

double TextContrast(const QLabel& label)
{
    return ContrastRatio(label.palette().color(QPalette::WindowText), label.palette().color(label.backgroundRole()));
}

struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
};

template <class D>
DialogCase Make(const char* name)
{
    return {name, [] { return std::make_unique<D>(); }};
}

class DarkPaletteTest : public testing::Test {
protected:
    DarkPaletteTest() : lightPalette_(QApplication::palette()) { QApplication::setPalette(DarkPalette()); }
    ~DarkPaletteTest() override { QApplication::setPalette(lightPalette_); }

private:
    QPalette lightPalette_;
};

class DarkDialogs : public DarkPaletteTest, public testing::WithParamInterface<DialogCase> {};

TEST_P(DarkDialogs, ColouredLabelsStayReadable)
{
    const std::unique_ptr<QWidget> dialog = GetParam().make();
    const QList<QLabel*> coloured = ColouredLabels(*dialog);
    ASSERT_FALSE(coloured.isEmpty());
    for (const QLabel* label : coloured)
        EXPECT_GE(TextContrast(*label), ReadableContrast) << label->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DarkDialogs,
                         testing::Values(Make<RegionPropertiesDialog>("RegionProperties"),
                                         Make<ProjectSetupDialog>("ProjectSetup"),
                                         Make<WorksheetFillDialog>("WorksheetFill"), Make<AboutDialog>("About")),
                         [](const testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

TEST_F(DarkPaletteTest, BlackLogLinesReadOnTheDarkBase)
{
    RichLog log;
    log.logLine("written", colors::Black);
    EXPECT_GE(ContrastRatio(log.lineColor(0), log.palette().color(QPalette::Base)), ReadableContrast);
}

TEST(LightPalette, RegionPropertiesKeepTheirMaroonNotesAndRedRefusal)
{
    const RegionPropertiesDialog dialog;
    ASSERT_FALSE(ColouredLabels(dialog).isEmpty());
    for (const QLabel* label : ColouredLabels(dialog)) {
        const QColor expected = label->objectName() == "refusalNote" ? QColor(Qt::red) : QColor(0x80, 0, 0);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), expected) << label->text().toStdString();
    }
}

}  // namespace
}  // namespace tolv::gui
