#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <string>

namespace tolv {
struct Project;
}

namespace tolv::gui {

// Keeps the unsaved edits of the open project in its recovery file. Once a
// second, while the project is modified and its text differs from what was
// last written, a worker thread writes the text, so the window never waits
// for the disk; a project that is no longer modified has no recovery file.
class RecoveryKeeper : public QObject {
public:
    // An empty folder keeps no recovery files.
    RecoveryKeeper(const Project& project, std::string folder, QObject* parent);
    ~RecoveryKeeper() override;

    const std::string& Folder() const { return folder_; }
    // The project's edits are saved or knowingly dropped: its recovery file
    // goes, after any write still under way.
    void Discard();
    // Writes the edits now, on the caller's thread, for an ending process.
    void WriteNow();

private:
    void Tick();
    std::string CurrentRecoveryPath() const;

    const Project& project_;
    std::string folder_;
    // What the worker was last given; empty while nothing is kept.
    std::string writtenPath_;
    std::string writtenText_;
    QThreadPool writer_;
    QTimer timer_;
};

}  // namespace tolv::gui
