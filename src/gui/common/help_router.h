#pragma once

#include <QPointer>
#include <QString>

#include <functional>

namespace tolv::gui {

class HelpViewer;

// Opens the program's help topics. Topics are HTML pages ("topic10" is
// topic10.htm) in the help folder; they are shown in the help viewer, a
// top-level window that belongs to no other window, so it stays open when the
// window that asked for it closes. Asked for from a modal dialog, it shows
// modal above it, so that it can be read while the dialog waits. A missing
// folder or page shows nothing and reports nothing.
class HelpRouter {
public:
    HelpRouter();
    ~HelpRouter();
    HelpRouter(const HelpRouter&) = delete;
    HelpRouter& operator=(const HelpRouter&) = delete;

    // The folder holding the topic pages; empty until the main window is
    // first shown.
    void setHelpFolder(const QString& folder) { helpFolder_ = folder; }
    const QString& helpFolder() const { return helpFolder_; }

    // The page file of a topic, or empty when it does not exist.
    QString topicPage(const QString& topic) const;
    void showTopic(const QString& topic);

    // The viewer once a topic has been shown, else nullptr.
    HelpViewer* viewer() const;

    // Tests watch the topics asked for (with the page found, empty if none).
    using TopicRecorder = std::function<void(const QString& topic, const QString& page)>;
    static void setTopicRecorder(TopicRecorder recorder);

private:
    QString helpFolder_;
    QPointer<HelpViewer> viewer_;
};

// The folder of help pages for a program in `programFolder`: "help" beside
// the program, else the installed "../share/tolvane/help"; empty when neither
// exists.
QString FindHelpFolder(const QString& programFolder);

}  // namespace tolv::gui
