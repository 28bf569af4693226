#include "gui/gui_fixture.h"

#include "editor/selection.h"
#include "gui/common/project_file_dialogs.h"
#include "gui/panels/workspace.h"
#include "platform/image/bitmap.h"
#include "platform/image/raster.h"

#include <QAction>
#include <QCoreApplication>

#include <filesystem>

namespace tolv::gui::test {

GuiFixture::GuiFixture()
{
    SetMessageAnswerer([this](MsgKind kind, const QString& text, MsgButtons buttons) {
        messages_.push_back({kind, text, buttons});
        if (!answers_.empty()) {
            const MsgResult answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::No;
    });
    SetFileDialogAnswerer([this](FileDialogKind, const QString&, const QString&) {
        if (paths_.empty())
            return QString();
        const QString path = paths_.front();
        paths_.pop_front();
        return path;
    });
}

GuiFixture::~GuiFixture()
{
    windows_.reset();
    SetMessageAnswerer({});
    SetFileDialogAnswerer({});
}

MainWindow& GuiFixture::Start(const QStringList& arguments)
{
    return StartIn(ProgramFolder(), arguments);
}

MainWindow& GuiFixture::StartIn(const std::string& programFolder, const QStringList& arguments)
{
    windows_.reset();
    windows_ = ShowWindows(programFolder, arguments);
    return form();
}

std::unique_ptr<ProgramWindows> GuiFixture::StartAnother(const QStringList& arguments)
{
    return ShowWindows(ProgramFolder(), arguments);
}

std::unique_ptr<ProgramWindows> GuiFixture::ShowWindows(const std::string& programFolder, const QStringList& arguments)
{
    StartupOptions startup;
    startup.ProgramFolder = programFolder;
    startup.ExecutableFolder = ProgramFolder();
    startup.Arguments = arguments;
    startup.RecoveryFolder = RecoveryFolder();
    auto windows = std::make_unique<ProgramWindows>(startup);
    // The canvas tests place their clicks in the window of old, without
    // panels; the panels' tests show them.
    windows->main().workspace().classicLayoutAction()->trigger();
    windows->main().show();
    QCoreApplication::processEvents();  // the first show opens the project
    return windows;
}

std::vector<std::string> GuiFixture::RecoveryFiles() const
{
    std::vector<std::string> files;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(RecoveryFolder(), missing))
        if (entry.path().extension() == ".recovery")
            files.push_back(entry.path().string());
    return files;
}

void GuiFixture::Select(int index)
{
    form().document().changeSelection({SelectionOp::Kind::Pick, index});
}

void GuiFixture::EditSetup(std::optional<std::vector<std::string>> frames)
{
    const Project& p = project();
    const std::string rep = p.Rep == "edited" ? "edited again" : "edited";
    form().document().applyProjectSetup({frames.value_or(p.FrameNames), p.CleanEdges, rep, p.Job});
}

bool GuiFixture::Close()
{
    return form().close();
}

void GuiFixture::MakeFrame(const std::string& name, int width, int height, Color color) const
{
    Bitmap frame(width, height, 24);
    Canvas canvas(frame);
    canvas.brush.color = color;
    canvas.fillRect({0, 0, width, height});
    SaveBmp(frame, File(name));
}

std::string GuiFixture::MakeProject(const std::string& name, const std::vector<std::string>& lines) const
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    tolv::test::WriteText(File(name), text);
    return File(name);
}

std::vector<QString> GuiFixture::MessageTexts() const
{
    std::vector<QString> texts;
    for (const ShownMessage& message : messages_)
        texts.push_back(message.text);
    return texts;
}

}  // namespace tolv::gui::test
