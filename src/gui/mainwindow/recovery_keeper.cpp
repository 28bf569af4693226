#include "gui/mainwindow/recovery_keeper.h"

#include "platform/errors.h"
#include "project/project.h"
#include "project/project_file.h"
#include "project/recovery.h"

namespace tolv::gui {

namespace {

constexpr int TickMilliseconds = 1000;

// A recovery file that cannot be written costs the safety net, not the
// edits: the project is still open and can be saved.
void WriteQuietly(const std::string& path, const std::string& text)
{
    try {
        WriteRecovery(path, text);
    } catch (const TolvError&) {
    }
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(const Project& project, std::string folder, QObject* parent)
    : QObject(parent), project_(project), folder_(std::move(folder))
{
    // One thread keeps the writes and removals in the order they were asked.
    writer_.setMaxThreadCount(1);
    if (folder_.empty())
        return;
    timer_.setInterval(TickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::Tick);
    timer_.start();
}

RecoveryKeeper::~RecoveryKeeper()
{
    writer_.waitForDone();
}

std::string RecoveryKeeper::CurrentRecoveryPath() const
{
    return RecoveryFileFor(folder_, project_.ProjectFilePath());
}

void RecoveryKeeper::Tick()
{
    if (!project_.Modified) {
        if (!writtenPath_.empty())
            Discard();
        return;
    }
    std::string path = CurrentRecoveryPath();
    std::string text = ProjectText(project_);
    if (path == writtenPath_ && text == writtenText_)
        return;
    if (!writtenPath_.empty() && path != writtenPath_)
        Discard();
    writtenPath_ = path;
    writtenText_ = text;
    writer_.start([path = std::move(path), text = std::move(text)] { WriteQuietly(path, text); });
}

void RecoveryKeeper::Discard()
{
    if (folder_.empty())
        return;
    writer_.waitForDone();
    DiscardRecovery(writtenPath_.empty() ? CurrentRecoveryPath() : writtenPath_);
    writtenPath_.clear();
    writtenText_.clear();
}

void RecoveryKeeper::WriteNow()
{
    writer_.waitForDone();
    if (folder_.empty() || !project_.Modified)
        return;
    writtenPath_ = CurrentRecoveryPath();
    writtenText_ = ProjectText(project_);
    WriteQuietly(writtenPath_, writtenText_);
}

}  // namespace tolv::gui
