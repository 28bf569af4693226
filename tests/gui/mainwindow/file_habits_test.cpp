#include "gui/gui_fixture.h"

#include "gui/common/project_file_dialogs.h"
#include "gui/editor/frame_canvas.h"
#include "platform/io/files.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <filesystem>
#include <utility>

namespace tolv::gui::test {
namespace {

using Entries = std::vector<std::pair<QString, bool>>;

class FileHabits : public GuiFixture {
protected:
    QAction& Item(const char* name) { return *form().findChild<QAction*>(name); }

    void SaveAs(const std::string& path)
    {
        ChooseFile(path);
        Item("saveAsAction").trigger();
    }

    // The recent projects as the menu shows them: text and enabling.
    Entries RecentEntries()
    {
        Entries entries;
        for (QAction* action : form().findChild<QMenu*>("recentMenu")->actions())
            if (action->isVisible() && action->objectName().startsWith("recentProject"))
                entries.emplace_back(action->text(), action->isEnabled());
        return entries;
    }

    static QString RecentText(int slot, const std::string& path)
    {
        return QString("&%1 %2").arg(slot).arg(QString::fromStdString(path));
    }

    // True when the window takes a drag of `data`.
    bool DragOver(const QMimeData& data)
    {
        QDragEnterEvent drag(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form(), &drag);
        return drag.isAccepted();
    }
};

// A project made with New, saved into a folder that holds one of its frames.
TEST_F(FileHabits, SaveAsMovesTheProjectAndNamesTheFramesMissingThere)
{
    Start();
    EditSetup(std::vector<std::string>{"f1.bmp", "f2.bmp", "f3.bmp"});
    form().saveSession();
    ASSERT_EQ(RecoveryFiles().size(), 1u);
    const std::string oldRecovery = RecoveryFiles()[0];
    std::filesystem::create_directory(dir_.path() / "moved");
    MakeFrame("moved/f2.bmp", 8, 8, colors::Green);
    SaveAs(File("moved/copy.qvl"));

    EXPECT_EQ(form().windowTitle(), "Tolv - copy.qvl");
    EXPECT_NE(tolv::test::ReadText(File("moved/copy.qvl")).find("f3.bmp"), std::string::npos);
    EXPECT_FALSE(project().Modified);
    EXPECT_FALSE(FileExists(oldRecovery));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].kind, MsgKind::Warning);
    EXPECT_EQ(Messages()[0].text,
              QString::fromStdString("Animation frame files missing in " + File("moved") + ": f1.bmp, f3.bmp."));
}

// Seen: the old folder's frame stayed on the canvas, and every PgDn showed
// "Unable to read ..." without changing the frame.
TEST_F(FileHabits, AfterSaveAsTheCanvasShowsTheFramesAsAFreshOpenWould)
{
    MakeFrame("f1.bmp", 64, 48, colors::Blue);
    MakeFrame("f2.bmp", 64, 48, colors::Blue);
    Start({QString::fromStdString(MakeProject("p.qvl", {"[Main]", "Version2=1", "[Frames]", "1=f1.bmp", "2=f2.bmp"}))});
    ASSERT_EQ(form().statusText(2), " Frame: f1.bmp");
    std::filesystem::create_directory(dir_.path() / "moved");
    SaveAs(File("moved/p.qvl"));
    ClearMessages();

    FrameCanvas& canvas = form().canvas();
    EXPECT_EQ(canvas.displayBitmap().pixel(0, 0), colors::Silver) << "the checkerboard";
    EXPECT_EQ(form().statusText(2), " Animation missing: f1.bmp");
    form().ui().nextFrameAction->trigger();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(form().statusText(2), " Animation missing: f2.bmp");
}

TEST_F(FileHabits, AFailedSaveAsKeepsTheNameAndTheEdits)
{
    Start();
    EditSetup();
    SaveAs(File("no-such-folder/lost.qvl"));

    const QString error = QString::fromStdString("Unable to write to " + File("no-such-folder/lost.qvl"));
    EXPECT_EQ(MessageTexts(), std::vector<QString>{error});
    EXPECT_EQ(form().windowTitle(), "Tolv [Noname.qvl]");
    EXPECT_EQ(project().ProjectFilePath(), File("Noname.qvl"));
    EXPECT_TRUE(project().Modified);
}

TEST_F(FileHabits, RecentProjectsOutliveTheProgramAndOpenAsOpenDoes)
{
    Start();
    const std::string first = MakeProject("first.qvl", {"[Main]", "Version2=1"});
    const std::string second = MakeProject("second.qvl", {"[Main]", "Version2=1"});
    for (const std::string& path : {first, second}) {
        ChooseFile(path);
        form().session().open();
    }
    std::filesystem::remove(first);
    Destroy();
    Start();
    EXPECT_EQ(RecentEntries(), (Entries{{RecentText(1, File("Noname.qvl")), true},
                                        {RecentText(2, second), true},
                                        {RecentText(3, first), false}}));

    EditSetup();
    Item("recentProject2").trigger();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{"Save project edits?"});
    EXPECT_EQ(form().windowTitle(), "Tolv - second.qvl");
    EXPECT_EQ(RecentEntries().front().first, RecentText(1, second));

    Item("clearRecentAction").trigger();
    EXPECT_TRUE(RecentEntries().empty());
    EXPECT_FALSE(Item("clearRecentAction").isEnabled());
}

TEST_F(FileHabits, ALocalFileDroppedOnTheWindowOpens)
{
    Start();
    QMimeData web;
    web.setUrls({QUrl("https://example.org/web.qvl")});
    EXPECT_FALSE(DragOver(web));
    QMimeData local;
    local.setUrls({QUrl::fromLocalFile(QString::fromStdString(MakeProject("dropped.qvl", {"[Main]", "LockObj=1"})))});
    // Qt hands the drop to the widget that took the drag.
    ASSERT_TRUE(DragOver(local));
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &local, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form(), &drop);
    QCoreApplication::processEvents();
    EXPECT_EQ(form().windowTitle(), "Tolv - dropped.qvl");
}

TEST_F(FileHabits, TheWindowStartsWhereItWasLeft)
{
    const QRect left(40, 60, 640, 480);
    Start();
    form().setGeometry(left);
    Destroy();
    Start();
    EXPECT_EQ(form().geometry(), left);
}

TEST_F(FileHabits, OpenStartsInTheFolderLastChosen)
{
    Start();
    std::filesystem::create_directory(dir_.path() / "projects");
    ChooseFile(File("projects/film.qvl"));
    form().session().newProject();
    Destroy();
    Start();
    QString shown;
    SetFileDialogAnswerer([&shown](FileDialogKind, const QString& folder, const QString&) {
        shown = folder;
        return QString();
    });
    form().session().open();
    EXPECT_EQ(shown, QString::fromStdString(File("projects")));
}

}  // namespace
}  // namespace tolv::gui::test
