#pragma once

#include "document/document_change.h"
#include "document/edit_history.h"
#include "document/edit_values.h"
#include "document/region_command.h"
#include "document/step_name.h"
#include "editor/drag_rules.h"
#include "editor/frame_display.h"
#include "editor/selection.h"
#include "project/project.h"
#include "project/project_file.h"
#include "project/project_identity.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tolv {

// The open project and the only way to edit it. Every edit is one step of
// the undo history; Modified says whether the state differs from the clean
// point (the state last loaded, created or saved). After every change the
// observers hear once what changed.
//
// Invariant kept from load to every step: the selection knows each region's
// list position and holds no region outside the list.
class Document {
public:
    using Observer = std::function<void(const DocumentChange&)>;

    Document();
    // Takes over a project set up already, as the clean point; the file now
    // at its path is the file seen.
    explicit Document(Project project);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const Project& project() const { return project_; }
    // The frame the canvas shows: no edit, never undone, and no notification,
    // as the canvas that steps it shows the frame itself.
    void stepShownFrame(FrameStep step);

    // Each of these starts a new history. They raise what Loadfile and
    // SaveProject raise, and then change nothing.
    LoadResult load(const std::string& path);
    // The same for the bytes of the file at `path`, read already.
    LoadResult load(const std::string& path, const ProjectFileBytes& file);
    // The edits of a recovery file, read by LoadRecovery: they are not in
    // the project file, so no state is clean.
    void loadRecovered(Project recovered);
    // The project of File > New in `folder`, named `name`; not yet written.
    void newProject(const std::string& folder, const std::string& name);
    // Keeps the history; the state saved becomes the clean point. Raises
    // FileChangedError, and writes nothing, when the project file is no
    // longer the file loaded or last saved (another program wrote it since),
    // unless `over` is AnyFile: the user chose to overwrite it.
    enum class SaveOver { UnchangedFile, AnyFile };
    void save(SaveOver over = SaveOver::UnchangedFile);
    // Whether the project file is still the one loaded or last saved.
    bool fileUnchanged() const;
    // Save As: saves as save() does, as `name` in `folder`, where the project
    // lives from then on, and examines the frames there as a load does. A
    // save that fails leaves the name and folder as they were.
    void saveAs(const std::string& folder, const std::string& name);

    // The edits. Each returns whether it changed the project; one that
    // changes nothing records no step.
    //
    // A region drawn with the band and filled in by Region Object Properties,
    // overlay loaded; it becomes the current region, group members stay.
    bool addRegion(Region record);
    bool deleteSelected();
    // Edit > Cut, once the selection is on the clipboard: a delete by
    // another name.
    bool cutSelected();
    // Edit > Paste: regions from the clipboard, overlays loaded, after the
    // others, where Landing (editor/edit_commands.h) puts them: on the
    // frame, and shifted by 10, 10 as often as needed not to lie exactly on
    // a region there (a copy pasted into its own project, or pasted again).
    // They become the selection, a group whose last region is current.
    bool pasteRegions(std::vector<Region> regions);
    // A copy of the current region, overlay loaded (may raise what
    // LoadOverlay raises, before anything changed), landing beside it as a
    // pasted copy does; the copy becomes the current region, alone.
    bool duplicateCurrent();
    // Every edit of geometry keeps the regions on the frame by the frame
    // rule (editor/frame_rule.h), whatever it is asked for.
    //
    // The end of a move drag of the selection: one step for the whole drag.
    bool moveSelection(Point offset);
    // The end of a size drag of the current region.
    bool resizeCurrent(int width, int height);
    // Geometry typed in for the current region, placed on the frame
    // (FrameRule::place). The layout lock refuses it, as it refuses a move.
    bool setCurrentGeometry(RegionGeometry geometry);
    // Keyboard moves and sizes of the selection; consecutive ones on the
    // same selection undo as one step.
    bool nudgeMove(int dx, int dy);
    bool nudgeSize(int dw, int dh);
    // The step of those moves and sizes (1..50, kept by the caller); a run of
    // changes undoes as one step.
    bool setNudgeStep(int step);
    // The preview switch of Region Object Properties, which the project keeps.
    bool setShowPreview(bool shown);
    bool applyRegionCommand(RegionCommand command);
    // Hide or Show for the region at `position`, current or not.
    bool setRegionVisible(int position, bool visible);
    // The region at `from` goes to list position `to`; the selection stays.
    bool moveRegion(int from, int to);
    bool setLockLayout(bool locked);
    // Region Object Properties OK for the current region: `record` replaces
    // its persistent fields and overlay (loaded by the caller).
    bool setRegionProperties(Region record);
    // Project Setup OK: the frames are examined and the first one shown.
    bool applyProjectSetup(ProjectSetup setup);
    bool setExtractionSwitches(ExtractionSwitches switches);

    // Selection changes by click, band, Tab, Esc and the quick pick, with the
    // rules of editor/selection.h and editor/drag_rules.h: no step of their
    // own, and a notification only when the selection changed.
    void changeSelection(const SelectionOp& op);
    // The regions a band touches join the selection (CatchBand); whether
    // there were any.
    bool catchBand(const Rect& band);

    // Undo and redo; nothing while disabled (playback, modal dialogs).
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    // "Undo Move 3 Regions", "Redo Delete Region"; "Undo" and "Redo" alone
    // when there is no such step.
    std::string undoText() const;
    std::string redoText() const;
    void setUndoEnabled(bool enabled);
    std::size_t historyBytes() const { return history_.bytes(); }

    // Returns the number that unsubscribe() takes.
    int subscribe(Observer observer);
    void unsubscribe(int id);

private:
    template <typename Field, typename Edit>
    bool editRegions(StepName step, const std::vector<int>& positions, bool mergeable, Edit edit);
    template <typename Field>
    bool editProject(typename Field::Value after);
    // The region goes to the end of the list and is selected by `select`
    // (Pick alone, MakeCurrent beside the group).
    bool insertRegion(StepName step, std::unique_ptr<Region> region, SelectionOp::Kind select);
    bool removeSelected(StepName step);
    // Applies a command built before the edit, then the selection the edit
    // makes (none changes it), and records both.
    void execute(std::unique_ptr<EditCommand> command, const std::optional<SelectionOp>& selectAfter);

    void record(std::unique_ptr<EditCommand> command, SelectionSnapshot before, DocumentChange change);
    // Tells the observers when the selection is no longer `before`.
    void notifySelection(const SelectionSnapshot& before);
    void examineFrames();
    void startHistory(bool clean);
    // After a step, an undo or redo, a load or a save: Modified follows the
    // history, and the observers hear of it.
    void finish(DocumentChange change);
    void tell(const DocumentChange& change);
    void syncModified();

    Project project_;
    // The project file as it was loaded or last saved; FileIdentity{} when
    // there was none.
    FileIdentity fileIdentity_;
    EditHistory history_;
    bool undoEnabled_ = true;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserverId_ = 1;
};

}  // namespace tolv
