#pragma once

#include "project/recovery.h"
#include "project/recovery_folder.h"
#include "project/recovery_lock.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace tolv {
class Document;
struct DocumentChange;
}  // namespace tolv

namespace tolv::gui {

// Keeps the unsaved edits of the window's project in the window's own
// recovery file, following the document: a second after an edit a worker
// thread writes the project's text, so the window never waits for the disk;
// the moment the project equals its file again (Save, undo to the clean
// point) the file goes, and at a clean exit too. While the window has a
// project open it holds the project's lock, which tells other windows that
// it is open here.
class RecoveryKeeper : public QObject {
public:
    // Shows a line in the status bar.
    using Tell = std::function<void(const QString&)>;

    // An empty folder keeps no recovery files. `document` must outlive the
    // keeper.
    RecoveryKeeper(Document& document, const std::string& folder, Tell tell);
    // A clean project takes its recovery file along; a modified one (the
    // process is ending without the close question) leaves it for the next
    // start.
    ~RecoveryKeeper() override;

    // Whether another window has the project at `projectPath` open.
    bool openElsewhere(const std::string& projectPath) const;
    // The recovery files of the open project that windows no longer running
    // left behind, the newest first.
    std::vector<RecoveryOffer> leftBehind() const;
    const RecoveryFolder& folder() const { return folder_; }
    // The edits of `offer` are now this window's: they are written to its
    // own file before the one left behind goes.
    void adopt(const RecoveryOffer& offer);
    // The user refused the edits of `offer`.
    void drop(const RecoveryOffer& offer);

    // The window's recovery file goes, after any write still under way;
    // nothing is written again until the next edit. Also for unsaved edits
    // knowingly dropped.
    void discard();
    // Writes the edits now, on the caller's thread, for an ending process.
    void writeNow();

private:
    void onDocumentChanged(const DocumentChange& change);
    // Follows the document to the project file it now has (load, New, Save As).
    void followProjectFile();
    void writeLater();
    void reportTrouble(const std::string& reason);

    Document& document_;
    RecoveryFolder folder_;
    std::string tag_;
    Tell tell_;
    int subscription_ = 0;
    // The project file followed and the names of this window's files for it.
    std::string projectPath_;
    std::string recoveryName_;
    std::string lockName_;
    ProjectLock lock_;
    // What the worker was last given; empty while nothing is kept.
    std::string writtenText_;
    // A trouble is told once, until a write succeeds again.
    bool troubleTold_ = false;
    QThreadPool writer_;
    QTimer delay_;
};

}  // namespace tolv::gui
