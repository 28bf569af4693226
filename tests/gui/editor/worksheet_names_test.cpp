// Worksheets through the window: the rows a region keeps, and names that
// the project file cannot hold.
#include "gui/editor/editing_fixture.h"

#include "project/project_file.h"
#include "support/test_files.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tolv::gui::test {
namespace {

using WorksheetNames = Editing;

// Rows name frames, not positions: a region of twelve rows in a project of
// two frames keeps all twelve through Region Object Properties and a save.
TEST_F(WorksheetNames, PropertiesOkKeepsEveryRowWhateverTheFrameCount)
{
    std::vector<std::string> rows;
    for (int row = 1; row <= 12; ++row)
        rows.push_back("Clip" + std::to_string(row) + "=f" + std::to_string(1 + row % 2) + ".bmp,,out"
                       + std::to_string(row) + ".bmp");
    Open({{10, 10, 40, 30, "Door", rows}});
    Select(0);
    AnswerRegionDialog(true, [](RegionPropertiesDialog& dialog) { dialog.setRegionName("Gate"); });
    form().commands().properties();
    const Region& gate = At(0);
    EXPECT_EQ(gate.Name, "Gate");
    EXPECT_EQ(gate.OutputFile[11], "out12.bmp");
    ASSERT_TRUE(form().session().save());
    EXPECT_NE(tolv::test::ReadText(project().ProjectFilePath()).find("Clip12=f1.bmp,,out12.bmp\r\n"),
              std::string::npos);
}

struct PasteCase {
    const char* name;
    std::string row;
    std::string reason;
};

class UnstorablePaste : public Editing, public testing::WithParamInterface<PasteCase> {};

// Regions from another program's clipboard text are refused whole, with the
// reason; the project stays as it was.
TEST_P(UnstorablePaste, IsRefusedWithTheReasonAndPastesNothing)
{
    Open({{10, 10, 40, 30, "Door"}});
    const std::string before = ProjectText(project());
    QGuiApplication::clipboard()->setText(QString::fromStdString(
        "[Main]\r\nVersion2=1\r\nRegions=1\r\n[Region1]\r\nName=Pasted\r\nPosition=5,5,20,20\r\n" + GetParam().row));
    form().commands().paste();
    EXPECT_EQ(MessageTexts(),
              std::vector<QString>{QString::fromStdString(
                  "Regions with a name that a project file cannot hold are not pasted. Pasted <Clip 1>: "
                  + GetParam().reason)});
    EXPECT_EQ(ProjectText(project()), before);
    EXPECT_FALSE(project().Modified);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnstorablePaste,
    testing::Values(
        PasteCase{"Comma", "Clip1=f1.bmp,,x,1.bmp\r\n",
                  "A name in \"f1.bmp,,x,1.bmp\" holds a comma, which the project file puts between the names "
                  "of a worksheet row: it was read as input frame \"f1.bmp\" and output file \"x\"."},
        PasteCase{"ControlCharacter", "Clip1=f1.bmp,,x\x01.bmp\r\n",
                  "Output file holds a control character or a line break, which the project file cannot "
                  "hold."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tolv::gui::test
