#include "gui/common/help_router.h"

#include "gui/common/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace tolv::gui {

namespace {

HelpRouter::TopicRecorder& Recorder()
{
    static HelpRouter::TopicRecorder recorder;
    return recorder;
}

}  // namespace

HelpRouter::HelpRouter() = default;

// The viewer is a top-level window without a parent, so it is not deleted
// with the main window's children.
HelpRouter::~HelpRouter()
{
    delete viewer_.data();
}

QString HelpRouter::topicPage(const QString& topic) const
{
    if (helpFolder_.isEmpty())
        return {};
    const QString page = QDir(helpFolder_).filePath(topic + ".htm");
    return QFileInfo(page).isFile() ? page : QString();
}

HelpViewer* HelpRouter::viewer() const
{
    return viewer_.data();
}

void HelpRouter::showTopic(const QString& topic)
{
    const QString page = topicPage(topic);
    if (Recorder())
        Recorder()(topic, page);
    if (page.isEmpty())
        return;
    if (!viewer_)
        viewer_ = new HelpViewer;
    // Asked for from a modal dialog, the page must be usable while the dialog
    // stays open: it becomes modal over it. Otherwise it blocks nothing.
    const Qt::WindowModality modality = QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal;
    if (viewer_->windowModality() != modality) {
        viewer_->hide();
        viewer_->setWindowModality(modality);
    }
    viewer_->showPage(page);
}

void HelpRouter::setTopicRecorder(TopicRecorder recorder)
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

}  // namespace tolv::gui
