#include "gui/gui_fixture.h"

#include "gui/common/help_router.h"
#include "gui/common/help_viewer.h"
#include "gui/dialogs/preferences_dialog.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QtTest/QTest>

#include <filesystem>

namespace tolv::gui::test {
namespace {

class Help : public GuiFixture {
protected:
    Help()
    {
        HelpRouter::setTopicRecorder([this](const QString& topic, const QString&) { topics_.push_back(topic); });
    }
    ~Help() override { HelpRouter::setTopicRecorder({}); }

    QString MakeHelpFolder(const std::string& relative, const std::vector<std::string>& topics)
    {
        const auto folder = dir_.path() / relative;
        std::filesystem::create_directories(folder);
        for (const std::string& topic : topics)
            tolv::test::WriteText((folder / (topic + ".htm")).string(), "<html><body>" + topic + "</body></html>");
        return QDir::cleanPath(QString::fromStdString(folder.string()));
    }

    std::vector<QString> topics_;
};

TEST_F(Help, TheFolderBesideTheProgramComesBeforeTheInstalledOne)
{
    const QString program = QString::fromStdString(File("bin"));
    std::filesystem::create_directory(program.toStdString());
    EXPECT_EQ(FindHelpFolder(program), "");
    const QString installed = MakeHelpFolder("share/tolvane/help", {});
    EXPECT_EQ(FindHelpFolder(program), installed);
    const QString beside = MakeHelpFolder("bin/help", {});
    EXPECT_EQ(FindHelpFolder(program), beside);
}

TEST_F(Help, ATopicOpensInAViewerThatBelongsToNoWindow)
{
    HelpRouter router;
    router.setHelpFolder(MakeHelpFolder("help", {"topic10", "topic40"}));
    router.showTopic("topic40");
    ASSERT_NE(router.viewer(), nullptr);
    EXPECT_TRUE(router.viewer()->isVisible());
    EXPECT_EQ(router.viewer()->parent(), nullptr);
    EXPECT_TRUE(router.viewer()->source().toLocalFile().endsWith("/topic40.htm"));
    EXPECT_TRUE(router.viewer()->toPlainText().contains("topic40"));

    router.showTopic("topic10");
    EXPECT_TRUE(router.viewer()->source().toLocalFile().endsWith("/topic10.htm"));
}

TEST_F(Help, AMissingPageOrFolderShowsNothing)
{
    HelpRouter router;
    router.showTopic("topic10");
    EXPECT_EQ(router.viewer(), nullptr);
    router.setHelpFolder(MakeHelpFolder("help", {"topic40"}));
    router.showTopic("topic90");
    EXPECT_EQ(router.viewer(), nullptr);
    EXPECT_EQ(topics_, (std::vector<QString>{"topic10", "topic90"}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Help, TheHelpMenuAndTheDialogsUseTheMainWindowsRouter)
{
    MakeHelpFolder("help", {"topic10", "topic150"});
    Start();
    form().ui().helpContentsAction->trigger();
    emit windows().preferences().helpRequested("topic150");
    EXPECT_EQ(topics_, (std::vector<QString>{"topic10", "topic150"}));
    ASSERT_NE(form().helpRouter().viewer(), nullptr);
    EXPECT_TRUE(form().helpRouter().viewer()->source().toLocalFile().endsWith("/topic150.htm"));
}

TEST_F(Help, F1InAnOpenMenuShowsTheMainTopicAndElsewhereNothing)
{
    Start();
    QTest::keyClick(&form(), Qt::Key_F1);
    EXPECT_TRUE(topics_.empty());
    for (QMenu* menu : {form().ui().fileMenu, form().ui().editMenu, form().ui().regionMenu}) {
        menu->popup(form().mapToGlobal(QPoint(20, 20)));
        QTest::keyClick(menu, Qt::Key_F1);
        menu->hide();
    }
    EXPECT_EQ(topics_, (std::vector<QString>{"topic10", "topic10", "topic10"}));
}

}  // namespace
}  // namespace tolv::gui::test
