#include "document/document.h"

#include "platform/io/files.h"
#include "project/frame_examination.h"
#include "project/project_identity.h"

namespace tolv {

Document::Document()
{
    startHistory(true);
}

Document::Document(Project project) : project_(std::move(project))
{
    project_.RegionListChanged();
    fileIdentity_ = IdentityOf(project_.ProjectFilePath());
    startHistory(true);
}

LoadResult Document::load(const std::string& path)
{
    return load(path, ReadProjectBytes(path));
}

// The text is read into a project of its own, which replaces the open one
// only once it has been read whole: a file that fails, at whatever point,
// leaves the project and its history as they were.
LoadResult Document::load(const std::string& path, const ProjectFileBytes& file)
{
    Project loaded;
    LoadResult result = LoadProjectText(loaded, FolderPart(path), NamePart(path), file.Bytes);
    result.Identity = fileIdentity_ = file.Identity;
    project_ = std::move(loaded);
    startHistory(result.NeedsSaving.empty());
    return result;
}

void Document::loadRecovered(Project recovered)
{
    project_ = std::move(recovered);
    startHistory(false);
}

void Document::newProject(const std::string& folder, const std::string& name)
{
    project_.ProjectFolder = folder;
    project_.ProjectFileName = name;
    project_.ResetForNew();
    // The caller has settled that whatever lies there may be replaced.
    fileIdentity_ = IdentityOf(project_.ProjectFilePath());
    startHistory(true);
}

void Document::save(SaveOver over)
{
    fileIdentity_ = SaveProject(project_, over == SaveOver::AnyFile ? std::nullopt : std::optional(fileIdentity_));
    history_.markClean();
    finish({});
}

bool Document::fileUnchanged() const
{
    return IdentityOf(project_.ProjectFilePath()) == fileIdentity_;
}

void Document::saveAs(const std::string& folder, const std::string& name)
{
    std::string oldFolder = std::exchange(project_.ProjectFolder, folder);
    std::string oldName = std::exchange(project_.ProjectFileName, name);
    try {
        fileIdentity_ = SaveProject(project_);
    } catch (...) {
        project_.ProjectFolder = std::move(oldFolder);
        project_.ProjectFileName = std::move(oldName);
        throw;
    }
    history_.markClean();
    examineFrames();
    DocumentChange change;
    change.fileNameChanged = change.frameListChanged = true;
    finish(std::move(change));
}

// Frames are named relative to the project folder, so in another folder they
// are other files: they are looked at as a fresh Open looks at them.
void Document::examineFrames()
{
    ExamineFrames(project_);
    for (const auto& region : project_.Regions)
        GrowFrameAreaFor(project_, *region);
}

void Document::changeSelection(const SelectionOp& op)
{
    const SelectionSnapshot before = TakeSelection(project_);
    ApplySelectionOp(project_, op);
    notifySelection(before);
}

bool Document::catchBand(const Rect& band)
{
    const SelectionSnapshot before = TakeSelection(project_);
    const bool caught = !CatchBand(project_, band).empty();
    notifySelection(before);
    return caught;
}

void Document::notifySelection(const SelectionSnapshot& before)
{
    DocumentChange change;
    change.selectionChanged = TakeSelection(project_) != before;
    if (change.selectionChanged)
        tell(change);
}

void Document::stepShownFrame(FrameStep step)
{
    StepCurrentFrame(project_, step);
}

void Document::showFrameAt(int position)
{
    ShowFrameAt(project_, position);
}

bool Document::canUndo() const
{
    return undoEnabled_ && history_.undoStep() != nullptr;
}

bool Document::canRedo() const
{
    return undoEnabled_ && history_.redoStep() != nullptr;
}

void Document::undo()
{
    if (!canUndo())
        return;
    EditStep& step = *history_.undoStep();
    DocumentChange change;
    step.Command->revert(project_, change);
    RestoreSelection(project_, step.Before);
    change.selectionChanged = step.Before != step.After;
    history_.stepBack();
    finish(std::move(change));
}

void Document::redo()
{
    if (!canRedo())
        return;
    EditStep& step = *history_.redoStep();
    DocumentChange change;
    step.Command->apply(project_, change);
    RestoreSelection(project_, step.After);
    change.selectionChanged = step.Before != step.After;
    history_.stepForward();
    finish(std::move(change));
}

std::string Document::undoText() const
{
    return canUndo() ? "Undo " + history_.undoStep()->Command->name() : "Undo";
}

std::string Document::redoText() const
{
    return canRedo() ? "Redo " + history_.redoStep()->Command->name() : "Redo";
}

void Document::setUndoEnabled(bool enabled)
{
    undoEnabled_ = enabled;
    finish({});
}

int Document::subscribe(Observer observer)
{
    observers_.emplace_back(nextObserverId_, std::move(observer));
    return nextObserverId_++;
}

void Document::unsubscribe(int id)
{
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Document::record(std::unique_ptr<EditCommand> command, SelectionSnapshot before, DocumentChange change)
{
    SelectionSnapshot after = TakeSelection(project_);
    change.selectionChanged = before != after;
    history_.push({std::move(command), std::move(before), std::move(after)});
    finish(std::move(change));
}

void Document::startHistory(bool clean)
{
    // A project read from a file shows its first frame; every observer finds
    // it set when it is told.
    if (project_.CurrentFrame < 1)
        StepCurrentFrame(project_, FrameStep::Next);
    history_.clear(clean);
    DocumentChange change;
    change.projectReplaced = change.frameListChanged = change.selectionChanged = true;
    finish(std::move(change));
}

void Document::finish(DocumentChange change)
{
    syncModified();
    change.historyChanged = true;
    tell(change);
}

void Document::tell(const DocumentChange& change)
{
    // A copy: an observer may unsubscribe while it is told.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers)
        observer(change);
}

// The one place that decides Modified.
void Document::syncModified()
{
    project_.Modified = !history_.atCleanPoint();
}

}  // namespace tolv
