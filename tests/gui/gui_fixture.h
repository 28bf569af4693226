#pragma once

#include "gui/app/program_windows.h"
#include "gui/common/message_box.h"
#include "gui/mainwindow/animation_player.h"
#include "gui/mainwindow/canvas_view.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/project_session.h"
#include "gui/mainwindow/region_commands.h"
#include "platform/image/color.h"
#include "support/test_files.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tolv::gui::test {

// One message box the program asked for.
struct ShownMessage {
    MsgKind kind;
    QString text;
    MsgButtons buttons;
};

// The program's windows on a temporary program folder, with message boxes and file
// dialogs answered from scripts: message boxes take the queued answers in
// order (Ok, or No for a question, once the queue is empty), file dialogs
// the queued paths (cancelled once the queue is empty).
class GuiFixture : public testing::Test {
protected:
    GuiFixture();
    ~GuiFixture() override;

    // Creates the windows and shows the main window, which opens the first
    // project.
    MainWindow& Start(const QStringList& arguments = {});
    // The same with another program folder (ending in a separator).
    MainWindow& StartIn(const std::string& programFolder, const QStringList& arguments = {});
    MainWindow& form() { return windows_->main(); }
    // The open project, for checks.
    const Project& project() { return form().document().project(); }
    ProgramWindows& windows() { return *windows_; }
    // Selects the region at `index` as a click on it alone does.
    void Select(int index);
    // An edit as Project Settings OK makes one: the frames (those of the
    // project when none are given) and a representation that says "edited".
    void EditSetup(std::optional<std::vector<std::string>> frames = std::nullopt);
    // The project as it stands becomes the saved state.
    void SaveNow() { form().document().save(); }
    // Closes the main window as the close button does; returns whether it closed.
    bool Close();
    // Destroys the window (writing the settings).
    void Destroy() { windows_.reset(); }
    // The windows of a second program beside the first, started with
    // `arguments` on the same folders; shown, its first project opened.
    std::unique_ptr<ProgramWindows> StartAnother(const QStringList& arguments = {});

    std::string ProgramFolder() const { return dir_.path().string() + "/"; }
    std::string File(const std::string& name) const { return dir_.file(name); }
    std::string RecoveryFolder() const { return dir_.file("recovery"); }
    // The paths of the recovery files in the recovery folder.
    std::vector<std::string> RecoveryFiles() const;

    // A 24-bit BMP of one colour.
    void MakeFrame(const std::string& name, int width, int height, Color color) const;
    // A project file in the temporary folder, from its lines.
    std::string MakeProject(const std::string& name, const std::vector<std::string>& lines) const;

    void Answer(MsgResult answer) { answers_.push_back(answer); }
    void ChooseFile(const std::string& path) { paths_.push_back(QString::fromStdString(path)); }
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    std::vector<QString> MessageTexts() const;
    void ClearMessages() { messages_.clear(); }

    tolv::test::TempDir dir_;

private:
    std::unique_ptr<ProgramWindows> ShowWindows(const std::string& programFolder, const QStringList& arguments);

    std::unique_ptr<ProgramWindows> windows_;
    std::deque<MsgResult> answers_;
    std::deque<QString> paths_;
    std::vector<ShownMessage> messages_;
};

}  // namespace tolv::gui::test
