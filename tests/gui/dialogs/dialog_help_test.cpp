#include "gui/gui_fixture.h"

#include "gui/common/help_router.h"
#include "gui/dialogs/preferences_dialog.h"
#include "gui/dialogs/project_setup_dialog.h"
#include "gui/dialogs/region_properties_dialog.h"
#include "gui/extract/extraction_dialog.h"

#include <QPushButton>

namespace tolv::gui::test {
namespace {

class DialogHelp : public GuiFixture {
protected:
    DialogHelp()
    {
        HelpRouter::setTopicRecorder([this](const QString& topic, const QString&) { topics_.push_back(topic); });
    }
    ~DialogHelp() override { HelpRouter::setTopicRecorder({}); }

    void ClickHelp(QWidget* dialog, const char* name)
    {
        auto* help = dialog->findChild<QPushButton*>(name);
        ASSERT_NE(help, nullptr) << name;
        EXPECT_EQ(help->text(), "Help");
        help->click();
    }

    std::vector<QString> topics_;
};

TEST_F(DialogHelp, EachDialogsHelpButtonAsksForItsOwnTopic)
{
    Start();
    ClickHelp(&windows().regionProperties(), "helpButton");
    ClickHelp(&windows().projectSetup(), "helpButton");
    ClickHelp(&windows().extraction(), "helpButton");
    ClickHelp(&windows().preferences(), "helpButton");
    EXPECT_EQ(topics_, (std::vector<QString>{"topic80", "topic40", "topic90", "topic150"}));
}

}  // namespace
}  // namespace tolv::gui::test
