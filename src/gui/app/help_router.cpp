#include "gui/app/help_router.h"

#include "gui/app/help_viewer.h"
#include "gui/app/windows.h"
#include "gui/project/main_form.h"

#include <QDir>
#include <QFileInfo>

namespace tolv::gui {

namespace {

THelpRouter::TopicRecorder& Recorder()
{
    static THelpRouter::TopicRecorder recorder;
    return recorder;
}

}  // namespace

THelpRouter::THelpRouter() = default;

// The viewer is a top-level window without a parent, so it is not deleted
// with the main window's children.
THelpRouter::~THelpRouter()
{
    delete viewer_.data();
}

QString THelpRouter::TopicPage(const QString& topic) const
{
    if (helpFolder_.isEmpty())
        return {};
    const QString page = QDir(helpFolder_).filePath(topic + ".htm");
    return QFileInfo(page).isFile() ? page : QString();
}

THelpViewer* THelpRouter::Viewer() const
{
    return viewer_.data();
}

void THelpRouter::ShowTopic(const QString& topic)
{
    const QString page = TopicPage(topic);
    if (Recorder())
        Recorder()(topic, page);
    if (page.isEmpty())
        return;
    if (!viewer_)
        viewer_ = new THelpViewer;
    viewer_->ShowPage(page);
}

void THelpRouter::SetTopicRecorder(TopicRecorder recorder)
{
    Recorder() = std::move(recorder);
}

QString FindHelpFolder(const QString& programFolder)
{
    const QDir dir(programFolder);
    for (const QString& candidate : {dir.filePath("help"), dir.filePath("../share/tolvane/help")}) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return {};
}

void ShowHelpTopic(const QString& topic)
{
    if (MainForm)
        MainForm->HelpRouter().ShowTopic(topic);
}

}  // namespace tolv::gui
