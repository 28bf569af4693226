#include "gui/mainwindow/recovery_keeper.h"

#include "document/document.h"
#include "platform/errors.h"
#include "project/project_file.h"

#include <QMetaObject>

namespace tolv::gui {

namespace {

// Edits that come in a burst are written together.
constexpr int WriteDelayMilliseconds = 1000;

QString TroubleText(const std::string& reason)
{
    return QString::fromStdString("Unsaved edits are not being kept for recovery: " + reason);
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(Document& document, const std::string& folder, Tell tell)
    : document_(document), tell_(std::move(tell))
{
    // One thread keeps the writes in the order they were asked.
    writer_.setMaxThreadCount(1);
    delay_.setSingleShot(true);
    delay_.setInterval(WriteDelayMilliseconds);
    connect(&delay_, &QTimer::timeout, this, [this] { writeLater(); });
    if (folder.empty())
        return;
    folder_ = RecoveryFolder::Open(folder);
    if (folder_.usable())
        tag_ = NewWindowTag(folder_);
    subscription_ = document_.subscribe([this](const DocumentChange& change) { onDocumentChanged(change); });
    followProjectFile();
}

RecoveryKeeper::~RecoveryKeeper()
{
    document_.unsubscribe(subscription_);
    writer_.waitForDone();
    if (!document_.project().Modified)
        discard();
    // The lock goes last, so that no other window takes the file for one
    // left behind while it is still being removed.
    lock_ = ProjectLock();
}

bool RecoveryKeeper::openElsewhere(const std::string& projectPath) const
{
    return OpenInAnotherWindow(folder_, projectPath, tag_);
}

std::vector<RecoveryOffer> RecoveryKeeper::leftBehind() const
{
    if (!folder_.usable() || projectPath_.empty())
        return {};
    return LeftBehindRecoveries(folder_, projectPath_);
}

void RecoveryKeeper::adopt(const RecoveryOffer& offer)
{
    writeNow();
    if (!writtenText_.empty())
        folder_.remove(offer.Name);
}

void RecoveryKeeper::drop(const RecoveryOffer& offer)
{
    folder_.remove(offer.Name);
}

void RecoveryKeeper::onDocumentChanged(const DocumentChange&)
{
    followProjectFile();
    if (!document_.project().Modified)
        discard();
    else if (!delay_.isActive())
        delay_.start();
}

void RecoveryKeeper::followProjectFile()
{
    const std::string path = document_.project().ProjectFilePath();
    if (!folder_.usable() || path == projectPath_)
        return;
    // The file of the project left is not needed any more: its edits were
    // saved (Save As) or settled before another project came.
    discard();
    projectPath_ = path;
    const std::string stem = RecoveryStem(path);
    recoveryName_ = RecoveryName(stem, tag_);
    lockName_ = LockName(stem, tag_);
    lock_ = ProjectLock::Take(folder_, lockName_);
}

void RecoveryKeeper::writeLater()
{
    const Project& project = document_.project();
    if (!project.Modified)
        return;
    // A window whose lock is not held would look like one that crashed, and
    // its file could be taken by another window.
    if (!lock_.held()) {
        reportTrouble(folder_.usable() ? FileWriteError(folder_.pathOf(lockName_)).what() : folder_.refusal());
        return;
    }
    std::string text = ProjectText(project);
    if (text == writtenText_)
        return;
    writtenText_ = text;
    writer_.start([this, name = recoveryName_, text = std::move(text)] {
        std::string trouble;
        try {
            folder_.write(name, text);
        } catch (const TolvError& error) {
            trouble = error.what();
        }
        QMetaObject::invokeMethod(
            this, [this, trouble] { reportTrouble(trouble); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::discard()
{
    delay_.stop();
    if (writtenText_.empty())
        return;
    writer_.waitForDone();
    folder_.remove(recoveryName_);
    writtenText_.clear();
}

void RecoveryKeeper::writeNow()
{
    delay_.stop();
    writer_.waitForDone();
    if (!document_.project().Modified || !lock_.held())
        return;
    writtenText_ = ProjectText(document_.project());
    try {
        folder_.write(recoveryName_, writtenText_);
        troubleTold_ = false;
    } catch (const TolvError& error) {
        writtenText_.clear();
        reportTrouble(error.what());
    }
}

// An empty reason is a write that succeeded.
void RecoveryKeeper::reportTrouble(const std::string& reason)
{
    if (reason.empty()) {
        troubleTold_ = false;
        return;
    }
    if (std::exchange(troubleTold_, true))
        return;
    tell_(TroubleText(reason));
}

}  // namespace tolv::gui
