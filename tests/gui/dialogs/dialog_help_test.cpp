#include "gui/gui_fixture.h"

#include "gui/app/help_router.h"
#include "gui/dialogs/bgrnd_options.h"
#include "gui/dialogs/xlist.h"
#include "gui/extract/x_dlg.h"
#include "gui/project/options.h"

#include <QPushButton>

namespace tolv::gui::test {
namespace {

class DialogHelp : public GuiFixture {
protected:
    DialogHelp()
    {
        THelpRouter::SetTopicRecorder([this](const QString& topic, const QString&) { topics_.push_back(topic); });
    }
    ~DialogHelp() override { THelpRouter::SetTopicRecorder({}); }

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
    ClickHelp(xlist, "HelpBtn");
    ClickHelp(BgrndOptions, "BitBtn3");
    ClickHelp(x_dlg, "bHelp");
    ClickHelp(options, "BitBtn3");
    EXPECT_EQ(topics_, (std::vector<QString>{"topic80", "topic40", "topic90", "topic150"}));
}

}  // namespace
}  // namespace tolv::gui::test
