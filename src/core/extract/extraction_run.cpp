#include "extract/extraction_run.h"

#include "editor/frame_marks.h"
#include "editor/frame_rule.h"
#include "extract/clip_cut.h"
#include "extract/frame_prefetch.h"
#include "extract/input_fingerprint.h"
#include "extract/output_name.h"
#include "extract/output_workers.h"
#include "extract/prefilter.h"
#include "extract/run_problems.h"
#include "extract/sheet_clips.h"
#include "extract/sheet_rows.h"
#include "platform/errors.h"
#include "platform/image/atomic_bmp.h"
#include "platform/image/image_file.h"
#include "platform/io/content_hash.h"
#include "platform/io/files.h"
#include "platform/io/temporary_files.h"
#include "sheet/sheet_layout.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <variant>

namespace tolv {

namespace {

const std::string Indent = "     ";
// Far above any frame a bitmap can hold.
constexpr std::size_t FrameFileLimit = std::size_t(1) << 34;

// The run's VidIziz folder: made on first use, held open, and never reached
// through a symbolic link, so nothing is written outside it. Every folder the
// run writes into is swept of stale temporaries once, before its first file.
// A dry run makes no folder: where the folder is missing it answers as the
// empty folder the real run would make.
class RunOutputs {
public:
    RunOutputs(const std::string& projectFolder, bool dryRun)
        : projectFolder_(projectFolder), path_(JoinPath(projectFolder, OutputFolderName)), dryRun_(dryRun)
    {}

    OutputPlace locate(const std::string& outputName);
    // Raises FileWriteError when the place cannot receive the file; readies
    // its folder for a file of the run. Returns the file's path.
    std::string claim(const OutputPlace& place, const std::string& outputName);

private:
    OutputReach openFolder();

    const std::string projectFolder_;
    const std::string path_;
    const bool dryRun_;
    OpenFolder folder_;
    // A dry run without the folder: names as in the empty folder to be made.
    bool folderMissing_ = false;
    std::set<std::string> swept_;
};

OutputPlace RunOutputs::locate(const std::string& outputName)
{
    if (!folder_.isOpen() && !folderMissing_) {
        OutputPlace place;
        place.reach = openFolder();
        if (place.reach != OutputReach::Ready) {
            return place;
        }
    }
    if (folderMissing_) {
        // Only a file right in the new folder has its place there.
        OutputPlace place;
        place.reach = outputName.find('/') == std::string::npos ? OutputReach::Ready : OutputReach::Unreachable;
        place.fileName = outputName;
        return place;
    }
    return LocateOutput(folder_, outputName);
}

// A link that appears after the look is still not followed: the open fails.
OutputReach RunOutputs::openFolder()
{
    const OpenFolder project = OpenFolder::Open(projectFolder_);
    if (!project.isOpen()) {
        return OutputReach::Unreachable;
    }
    const EntryKind kind = project.kindOf(OutputFolderName);
    if (kind == EntryKind::Link) {
        return OutputReach::ThroughLink;
    }
    if (dryRun_ && kind == EntryKind::Missing) {
        // Where the real run could make the folder; asked of the folder held
        // open, since the project folder of a bare file name is "".
        folderMissing_ = ::faccessat(project.fd(), ".", W_OK | X_OK, 0) == 0;
        return folderMissing_ ? OutputReach::Ready : OutputReach::Unreachable;
    }
    if (dryRun_ || project.makeSubFolder(OutputFolderName)) {
        folder_ = project.subFolder(OutputFolderName);
    }
    return folder_.isOpen() ? OutputReach::Ready : OutputReach::Unreachable;
}

std::string RunOutputs::claim(const OutputPlace& place, const std::string& outputName)
{
    if (place.reach != OutputReach::Ready) {
        const bool folderThere = folder_.isOpen() || folderMissing_;
        throw FileWriteError(folderThere ? JoinPath(path_, outputName) : path_);
    }
    if (!dryRun_ && swept_.insert(place.folderName).second) {
        SweepStaleTemporaries(place.folder);
    }
    return JoinPath(path_, outputName);
}

// The run ends after the row at hand when the caller asks it to.
struct RunStopped {};

// Rows decided ahead of the one being written: enough to keep the workers
// busy, few enough that their open files stay far below any limit.
constexpr std::size_t RowsAhead = 64;

// A row of the frame at hand as the run decided it. Its log lines and events
// wait until the rows before it are written; a row to be written is cut and
// encoded meanwhile on a worker.
struct PlannedRow {
    enum class Action { Keep, Refuse, Write, Fail };

    const Region* region = nullptr;
    std::string outputName;
    OutputRecord record;
    Action action = Action::Write;
    // Keep: the earlier run's record; Refuse: the message.
    OutputRecord kept;
    std::string refusal;
    // Write: the worker's job, or what the file's place raised, which comes
    // after the row's log line; Fail: what deciding the row raised.
    std::size_t job = 0;
    std::exception_ptr error;
};

// The first lines of a frame, logged before its first row.
struct FrameOpening {
    std::string name;
    int position = 0;
    std::vector<RunProblem> overlayProblems;
};

// The end of a frame's rows: the run's progress, and the frame, which the jobs
// of its rows cut from until they are all written.
struct FrameClosing {
    int framesDone = 0;
    std::unique_ptr<Bitmap> frame;
};

// What waits to be logged and written, in the run's order.
using PendingStep = std::variant<PlannedRow, FrameOpening, FrameClosing>;

// One run over the frames. The pre-filter depends on the frame only, not on
// the region being cut, so each frame is loaded, cleaned and pre-filtered once
// and every background and clip of that frame is cut from that one working
// bitmap. A frame whose outputs an incremental run keeps is not read at all.
// Rows are decided ahead, their cutting and encoding handed to the workers,
// and written and logged in their order. The rows of a frame may still wait
// while the next frame is loaded and its rows decided, so that the workers do
// not run dry at every frame; no more than these two frames are cut at once,
// and one more is read ahead.
class ExtractionRun {
public:
    ExtractionRun(const Project& project, const ExtractSwitches& switches, LogSink& log)
        : project_(project), switches_(switches), log_(log), rowsByFrame_(IndexRows(project, switches)),
          outputs_(project.ProjectFolder, switches.dryRun), fingerprints_(project, switches.rule),
          workers_(switches.workers > 0 ? switches.workers : DefaultWorkerCount())
    {}

    void processFrames();
    const std::vector<InputSource>& sources() const { return fingerprints_.sources(); }
    // The workers' jobs go first: they cut from the frames held by the steps.
    void release()
    {
        workers_.drain();
        pending_.clear();
        framesInFlight_ = 0;
        frameBytes_.reset();
        work_.reset();
    }

private:
    // The rows of each frame by its folded name, in the order they are written.
    using RowIndex = std::map<std::u32string, std::vector<std::pair<const Region*, int>>>;
    static RowIndex IndexRows(const Project& project, const ExtractSwitches& switches);
    void forEachRow(const std::string& frameName, const std::function<bool(const Region&, int)>& visit) const;
    bool anyRowOf(const std::string& frameName, const std::function<bool(const Region&, int)>& test) const;
    bool loads(const std::string& frameName);
    std::vector<PlannedFrame> framesToLoad();
    void processFrame(int position);
    void planRow(const Region& region, const std::string& outputName);
    PlannedRow decide(const Region& region, const std::string& outputName);
    void prepare(PlannedRow& row);
    std::size_t submit(const Region& region, OutputPlace&& place, const std::string& path);
    bool pendingWrite(const std::string& outputName) const;
    void writePending(std::size_t left);
    void writeNext();
    void open(const FrameOpening& opening);
    void close(FrameClosing& closing);
    void writeRow(PlannedRow& row);
    void write(PlannedRow& row);
    std::optional<std::string> refusalOf(const Region& region, const std::string& outputName) const;
    void refuse(const Region& region, const std::string& frame, const std::string& outputName,
                const std::string& message);
    OutputRecord recordOf(const Region& region, const std::string& outputName);
    const OutputRecord* unchanged(const std::string& outputName, const OutputRecord& record) const;
    bool keeps(const Region& region, const std::string& outputName);
    bool fingerprints() const { return switches_.recordOutputs || switches_.previous; }
    bool readsByContent() const { return fingerprints() && switches_.rule == ChangeRule::Content; }
    void report(const RunProblem& problem, const std::string& indent);
    std::vector<RunProblem> newOverlayProblems();
    void startFrame();
    void readFrameBytes();
    std::optional<std::string> readHashed(const std::string& path);
    void loadFrame();
    void writeSheets();
    void writeSheet(const Region& region);
    std::optional<std::string> sheetRefusal(const Region& region, const std::vector<int>& rows) const;
    std::string sheetInputs(const Region& region, const std::vector<int>& rows);
    OutputRecord sheetRecord(const Region& region, const std::string& outputName, OutputKind kind);
    OutputPlace sheetPlace(const Region& region, const std::string& outputName);
    void putSheetFile(const std::string& outputName, OutputPlace&& place, OutputRecord& record,
                      const std::function<std::uint64_t(AtomicFile*)>& write);

    const Project& project_;
    const ExtractSwitches& switches_;
    LogSink& log_;
    const RowIndex rowsByFrame_;
    RunOutputs outputs_;
    InputFingerprints fingerprints_;
    std::string frameName_;
    // The text boxes and overlays painted into the frame at hand.
    PaintedRegions painted_;
    int framePosition_ = 0;
    bool frameStarted_ = false;
    bool frameLoaded_ = false;
    // By content: the frame's bytes as read and hashed, until decoded.
    std::optional<std::string> frameBytes_;
    std::optional<FramePrefetch> prefetch_;
    OverlayPaints overlayPaints_;
    // Each overlay that cannot be painted is reported once, at its first frame.
    std::set<const Region*> overlaysReported_;
    // The frame at hand; its FrameClosing holds it once its rows are decided.
    std::unique_ptr<Bitmap> work_;
    std::deque<PendingStep> pending_;
    // The FrameClosing steps in pending_.
    int framesInFlight_ = 0;
    int framesToDo_ = 0;
    OutputWorkers workers_;
};

void ExtractionRun::processFrames()
{
    framesToDo_ = int(std::count(project_.FrameStatus.begin(), project_.FrameStatus.begin() + project_.FrameCount(),
                                 std::uint8_t(FrameLoaded)));
    int done = 0;
    prefetch_.emplace(framesToLoad());
    for (int i = 0; i < project_.FrameCount(); ++i) {
        if (project_.FrameStatus[i] != FrameLoaded) {
            // Only a frame the run has a row for leaves something undone.
            const std::string& name = project_.FrameNames[i];
            if (anyRowOf(name, [](const Region&, int) { return true; })) {
                writePending(0);
                report(UnusableFrameProblem(project_, name), "");
            }
            continue;
        }
        processFrame(i);
        pending_.push_back(FrameClosing{++done, std::move(work_)});
        ++framesInFlight_;
    }
    writePending(0);
    release();
    writeSheets();
}

// Visits the rows of the frame that the run writes, in the order it writes
// them, while `visit` returns true.
void ExtractionRun::forEachRow(const std::string& frameName, const std::function<bool(const Region&, int)>& visit) const
{
    const auto rows = rowsByFrame_.find(FoldedName(frameName));
    if (rows == rowsByFrame_.end()) {
        return;
    }
    for (const auto& [region, r] : rows->second) {
        if (!visit(*region, r)) {
            return;
        }
    }
}

// Every row the run writes, by its frame: a frame's rows are looked up twice
// a run, and the worksheets hold many more rows than one frame has.
ExtractionRun::RowIndex ExtractionRun::IndexRows(const Project& project, const ExtractSwitches& switches)
{
    RowIndex index;
    if (switches.onlySheetOf) {
        return index;
    }
    // Backgrounds of a frame are written before its clips, whatever the list order.
    for (const auto& [kind, on] :
         {std::pair{RegionKind::Background, switches.backgrounds}, std::pair{RegionKind::Clip, switches.clips}}) {
        for (const auto& region : project.Regions) {
            for (int r = 0; on && region->RegionType == kind && !WritesSheetOnly(*region) && r < WorksheetRows; ++r) {
                if (!region->OutputFile[r].empty()) {
                    index[FoldedName(region->InputFrame[r])].emplace_back(region.get(), r);
                }
            }
        }
    }
    return index;
}

// Whether a row of the frame that the run writes passes the test.
bool ExtractionRun::anyRowOf(const std::string& frameName, const std::function<bool(const Region&, int)>& test) const
{
    bool found = false;
    forEachRow(frameName, [&](const Region& region, int r) {
        found = test(region, r);
        return !found;
    });
    return found;
}

// Whether processFrame writes a row of the frame, and so loads it: in an
// incremental run only when one of its outputs is not kept.
bool ExtractionRun::loads(const std::string& frameName)
{
    if (switches_.previous) {
        fingerprints_.startFrame(frameName, RegionsPaintedOn(project_, frameName));
    }
    return anyRowOf(frameName, [this](const Region& region, int r) { return !keeps(region, region.OutputFile[r]); });
}

// The frames that can be read ahead, in the order the run loads them. A frame
// left out is read when the run reaches it; one listed but never loaded costs
// a read and raises nothing. Every frame is stamped here, before anything
// reads it, so a frame that changes later is never taken for the one written.
// By content there is nothing to read ahead: every frame is read and hashed
// when the run reaches it.
std::vector<PlannedFrame> ExtractionRun::framesToLoad()
{
    std::vector<PlannedFrame> plan;
    if (readsByContent()) {
        return plan;
    }
    const std::string outputFolder = JoinPath(project_.ProjectFolder, OutputFolderName);
    for (int i = 0; i < project_.FrameCount(); ++i) {
        frameName_ = project_.FrameNames[i];
        framePosition_ = i;
        const std::string path = project_.FramePath(frameName_);
        if (project_.FrameStatus[i] == FrameLoaded && fingerprints()) {
            fingerprints_.stampFrame(path);
        }
        if (project_.FrameStatus[i] == FrameLoaded && loads(frameName_) && CanReadAhead(path, outputFolder)) {
            plan.push_back({i, path});
        }
    }
    return plan;
}

void ExtractionRun::processFrame(int position)
{
    while (framesInFlight_ > 1) {
        writeNext();
    }
    frameName_ = project_.FrameNames[position];
    framePosition_ = position;
    frameStarted_ = false;
    frameLoaded_ = false;
    frameBytes_.reset();
    forEachRow(frameName_, [this](const Region& region, int r) {
        planRow(region, region.OutputFile[r]);
        return true;
    });
}

// An incremental run decides whether a row is kept by the file it finds: a
// row whose file an earlier row is to write waits for that write. A row that
// failed ends the run once the rows before it are written.
void ExtractionRun::planRow(const Region& region, const std::string& outputName)
{
    if (switches_.previous && pendingWrite(outputName)) {
        writePending(0);
    }
    PlannedRow row = decide(region, outputName);
    const bool failed = row.action == PlannedRow::Action::Fail;
    pending_.push_back(std::move(row));
    writePending(failed ? 0 : RowsAhead);
}

bool ExtractionRun::pendingWrite(const std::string& outputName) const
{
    return std::any_of(pending_.begin(), pending_.end(), [&](const PendingStep& step) {
        const PlannedRow* row = std::get_if<PlannedRow>(&step);
        return row && row->action == PlannedRow::Action::Write && row->outputName == outputName;
    });
}

PlannedRow ExtractionRun::decide(const Region& region, const std::string& outputName)
{
    PlannedRow row;
    row.region = &region;
    row.outputName = outputName;
    try {
        if (!frameStarted_) {
            startFrame();
        }
        row.record = recordOf(region, outputName);
        if (const OutputRecord* unchangedOutput = unchanged(outputName, row.record)) {
            row.action = PlannedRow::Action::Keep;
            row.kept = *unchangedOutput;
            row.kept.framePosition = row.record.framePosition;
            return row;
        }
        if (!frameLoaded_) {
            loadFrame();
        }
    } catch (...) {
        row.action = PlannedRow::Action::Fail;
        row.error = std::current_exception();
        return row;
    }
    prepare(row);
    return row;
}

void ExtractionRun::prepare(PlannedRow& row)
{
    if (std::optional<std::string> refusal = refusalOf(*row.region, row.outputName)) {
        row.action = PlannedRow::Action::Refuse;
        row.refusal = std::move(*refusal);
        return;
    }
    try {
        OutputPlace place = outputs_.locate(row.outputName);
        if (place.reach == OutputReach::ThroughLink) {
            row.action = PlannedRow::Action::Refuse;
            row.refusal = "Refused output name " + row.outputName + " through a symbolic link.";
            return;
        }
        const std::string path = outputs_.claim(place, row.outputName);
        row.job = submit(*row.region, std::move(place), path);
    } catch (...) {
        row.error = std::current_exception();
    }
}

// The file is written into its temporary here; the run's thread puts it in
// place when its turn comes.
std::size_t ExtractionRun::submit(const Region& region, OutputPlace&& place, const std::string& path)
{
    const bool isClip = region.RegionType == RegionKind::Clip;
    const ClipArea area{region.Left, region.Top, region.Width, region.Height};
    const ImageFormat format = OutputFormatOf(path);
    auto folder = std::make_shared<OutputPlace>(std::move(place));
    const Bitmap* frame = work_.get();
    return workers_.submit([this, frame, isClip, area, format, folder, path] {
        PreparedOutput output;
        if (!switches_.dryRun) {
            output.file =
                std::make_unique<AtomicFile>(std::move(folder->folder), folder->fileName, path, folder->entry);
        }
        if (isClip && output.file && format == ImageFormat::Bmp && LiesOnFrame(*frame, area)) {
            const Rect rect{area.left, area.top, area.left + area.width, area.top + area.height};
            if (const std::optional<std::uint64_t> bytes = WriteBmpOfArea(*frame, rect, *output.file)) {
                output.bitsPerPixel = frame->bitsPerPixel();
                output.width = area.width;
                output.height = area.height;
                output.bytes = *bytes;
                output.file->finish(false);
                return output;
            }
        }
        Bitmap clip;
        if (isClip) {
            const std::size_t bytes = Bitmap::RowStride(area.width, frame->bitsPerPixel()) * std::size_t(area.height);
            clip = CutClip(*frame, area, workers_.spareFor(bytes));
        }
        const Bitmap& image = isClip ? clip : *frame;
        output.bitsPerPixel = ReportedBitsPerPixel(image, format);
        output.width = image.width();
        output.height = image.height();
        if (output.file) {
            output.bytes = WriteImageFile(image, *output.file, format, switches_.pngLevel);
            output.file->finish(false);
        } else {
            output.bytes = EncodedImageSize(image, format, switches_.pngLevel);
        }
        workers_.giveBack(std::move(clip));
        return output;
    });
}

// Writes the steps decided, oldest first, until at most `left` wait.
void ExtractionRun::writePending(std::size_t left)
{
    while (pending_.size() > left) {
        writeNext();
    }
}

// A stop ends the run after the row at hand.
void ExtractionRun::writeNext()
{
    PendingStep step = std::move(pending_.front());
    pending_.pop_front();
    if (auto* row = std::get_if<PlannedRow>(&step)) {
        writeRow(*row);
        if (log_.stopRequested()) {
            throw RunStopped{};
        }
    } else if (auto* opening = std::get_if<FrameOpening>(&step)) {
        open(*opening);
    } else {
        close(std::get<FrameClosing>(step));
    }
}

void ExtractionRun::open(const FrameOpening& opening)
{
    log_.logLine("Animation frame " + opening.name, colors::Black);
    log_.frameStarted(opening.name, opening.position + 1);
    for (const RunProblem& problem : opening.overlayProblems) {
        report(problem, Indent);
    }
}

// The next frame read ahead goes into the memory of this one.
void ExtractionRun::close(FrameClosing& closing)
{
    --framesInFlight_;
    log_.progress(closing.framesDone, framesToDo_);
    if (closing.frame && prefetch_) {
        prefetch_->giveBack(std::move(*closing.frame));
    }
}

void ExtractionRun::writeRow(PlannedRow& row)
{
    switch (row.action) {
    case PlannedRow::Action::Keep:
        log_.logLine(Indent + "Unchanged " + row.outputName, colors::Black);
        log_.skipped(row.kept);
        return;
    case PlannedRow::Action::Refuse:
        refuse(*row.region, row.record.frame, row.outputName, row.refusal);
        return;
    case PlannedRow::Action::Fail:
        std::rethrow_exception(row.error);
    case PlannedRow::Action::Write:
        break;
    }
    const bool clip = row.region->RegionType == RegionKind::Clip;
    log_.logLine(Indent + "Saving" + (clip ? " clip " : " background ") + row.outputName + ".", colors::Black);
    if (row.error) {
        std::rethrow_exception(row.error);
    }
    write(row);
    log_.wrote(row.record);
}

void ExtractionRun::write(PlannedRow& row)
{
    const PreparedOutput output = workers_.take(row.job);
    OutputRecord& record = row.record;
    record.bpp = output.bitsPerPixel;
    record.width = output.width;
    record.height = output.height;
    record.bytes = output.bytes;
    if (output.file) {
        output.file->commit(false);
        if (switches_.recordOutputs) {
            const FileDigest written = DigestOfFile(JoinPath(project_.ProjectFolder, record.file));
            record.stamp = written.stamp;
            record.hash = written.hash;
        }
    }
}

// Rows whose name the run cannot create (see FaultOfOutputName), a clip that no bitmap
// can hold, or one with no pixel on its frame (which would come out all
// black), are refused with a finding; the run goes on with the next row.
std::optional<std::string> ExtractionRun::refusalOf(const Region& region, const std::string& outputName) const
{
    if (const NameFault fault = FaultOfOutputName(outputName); fault != NameFault::None) {
        return OutputNameRefusal(outputName, fault);
    }
    if (region.RegionType == RegionKind::Clip
        && !IsWritableBitmapSize(region.Width, region.Height, work_->bitsPerPixel())) {
        return "Refused clip size " + std::to_string(region.Width) + " x " + std::to_string(region.Height) + " for "
               + outputName + ".";
    }
    if (region.RegionType == RegionKind::Clip
        && !FrameRule(work_->width(), work_->height()).holds(GeometryOf(region))) {
        return "Refused clip " + outputName + ": region " + region.Name + " lies outside the frame.";
    }
    return std::nullopt;
}

void ExtractionRun::refuse(const Region& region, const std::string& frame, const std::string& outputName,
                           const std::string& message)
{
    log_.logLine(Indent + message, colors::Red);
    log_.refused(Refusal{region.Name, frame, outputName, message});
}

OutputRecord ExtractionRun::recordOf(const Region& region, const std::string& outputName)
{
    OutputRecord record;
    record.file = std::string(OutputFolderName) + "/" + outputName;
    record.region = region.Name;
    record.type = region.RegionType;
    record.frame = frameName_;
    if (region.RegionType == RegionKind::Clip) {
        record.x = region.Left;
        record.y = region.Top;
    }
    record.framePosition = framePosition_ + 1;
    if (fingerprints()) {
        record.inputs = fingerprints_.of(region);
        record.frameBytes = fingerprints_.frameSize();
    }
    return record;
}

// The earlier run's record of this output when it may stand: the same
// inputs, and the file still as that run left it.
const OutputRecord* ExtractionRun::unchanged(const std::string& outputName, const OutputRecord& record) const
{
    if (!switches_.previous || FaultOfOutputName(outputName) != NameFault::None) {
        return nullptr;
    }
    const auto found = switches_.previous->find(record.file);
    if (found == switches_.previous->end() || found->second.inputs != record.inputs
        || found->second.region != record.region || found->second.frame != record.frame) {
        return nullptr;
    }
    const std::optional<FileStamp> stamp = StampOf(JoinPath(project_.ProjectFolder, record.file));
    return stamp && *stamp == found->second.stamp ? &found->second : nullptr;
}

bool ExtractionRun::keeps(const Region& region, const std::string& outputName)
{
    return switches_.previous && unchanged(outputName, recordOf(region, outputName));
}

// The frame's first lines wait for the rows before them; what is learnt
// here is needed now, to decide the frame's rows.
void ExtractionRun::startFrame()
{
    pending_.push_back(FrameOpening{frameName_, framePosition_, {}});
    FrameOpening& opening = std::get<FrameOpening>(pending_.back());
    painted_ = RegionsPaintedOn(project_, frameName_);
    if (readsByContent()) {
        readFrameBytes();
    }
    if (fingerprints()) {
        fingerprints_.startFrame(frameName_, painted_);
    }
    frameStarted_ = true;
    opening.overlayProblems = newOverlayProblems();
}

void ExtractionRun::report(const RunProblem& problem, const std::string& indent)
{
    log_.logLine(indent + ProblemLogLine(problem), colors::Red);
    log_.problem(problem);
}

std::vector<RunProblem> ExtractionRun::newOverlayProblems()
{
    std::vector<RunProblem> problems;
    for (const Region* region : painted_) {
        if (overlaysReported_.count(region) > 0) {
            continue;
        }
        if (std::optional<RunProblem> problem = OverlayProblem(project_, *region)) {
            overlaysReported_.insert(region);
            problems.push_back(std::move(*problem));
        }
    }
    return problems;
}

void ExtractionRun::readFrameBytes()
{
    // A frame that cannot be read is read again where it is decoded, which
    // raises there what it raises.
    frameBytes_ = readHashed(project_.FramePath(frameName_));
}

// By content: the frame's bytes, hashed for the fingerprints as they were read.
std::optional<std::string> ExtractionRun::readHashed(const std::string& path)
{
    try {
        FileIdentity identity;
        std::string bytes = ReadWholeFile(path, FrameFileLimit, &identity);
        fingerprints_.readFrame(path, FileDigest{StampOfIdentity(identity), ContentHash(bytes)});
        return bytes;
    } catch (const FileReadError&) {
        fingerprints_.readFrame(path, std::nullopt);
        return std::nullopt;
    }
}

void ExtractionRun::loadFrame()
{
    if (frameBytes_) {
        work_ = std::make_unique<Bitmap>(DecodeImageFile(*frameBytes_));
        frameBytes_.reset();
    } else {
        work_ = std::make_unique<Bitmap>(prefetch_->take(framePosition_, project_.FramePath(frameName_)));
    }
    if (project_.CleanEdges) {
        CleanFrameEdges(*work_);
    }
    PrefilterFrame(*work_, painted_, overlayPaints_);
    frameLoaded_ = true;
    if (switches_.beforeWriting) {
        switches_.beforeWriting(frameName_);
    }
}

void ExtractionRun::writeSheets()
{
    if (switches_.onlySheetOf) {
        writeSheet(*switches_.onlySheetOf);
        return;
    }
    for (const auto& region : project_.Regions) {
        if (switches_.clips && MakesSheet(*region)) {
            writeSheet(*region);
        }
    }
}

// An incremental run keeps the sheet and its atlas when every frame's inputs
// and the region are as the earlier run found them, and both files still lie
// there as it left them; anything else makes both anew.
void ExtractionRun::writeSheet(const Region& region)
{
    const std::string& sheetName = region.Sheet.File;
    const std::string atlasName = AtlasNameOf(sheetName);
    log_.logLine("Sprite sheet of region " + region.Name, colors::Black);
    const std::vector<int> rows = SheetRows(project_, region);
    if (std::optional<std::string> refusal = sheetRefusal(region, rows)) {
        refuse(region, {}, sheetName, *refusal);
        return;
    }
    OutputRecord sheetFile = sheetRecord(region, sheetName, OutputKind::Sheet);
    OutputRecord atlasFile = sheetRecord(region, atlasName, OutputKind::Atlas);
    if (fingerprints()) {
        sheetFile.inputs = atlasFile.inputs = sheetInputs(region, rows);
    }
    const OutputRecord* keptSheet = unchanged(sheetName, sheetFile);
    const OutputRecord* keptAtlas = unchanged(atlasName, atlasFile);
    if (keptSheet && keptAtlas) {
        log_.logLine(Indent + "Unchanged " + sheetName, colors::Black);
        log_.skipped(*keptSheet);
        log_.logLine(Indent + "Unchanged " + atlasName, colors::Black);
        log_.skipped(*keptAtlas);
        return;
    }
    OutputPlace sheetAt = sheetPlace(region, sheetName);
    OutputPlace atlasAt = sheetPlace(region, atlasName);
    if (sheetAt.reach != OutputReach::Ready || atlasAt.reach != OutputReach::Ready) {
        return;
    }
    BuiltSheet sheet;
    try {
        sheet = BuildSheet(CutSheetFrames(project_, region, rows, overlayPaints_), region.Sheet.Layout,
                           SheetSourceOf(region, switches_.frameTime), NamePart(sheetName));
    } catch (const SheetError& error) {
        refuse(region, {}, sheetName, "Refused sheet " + sheetName + ": " + error.what() + ".");
        return;
    }
    log_.logLine(Indent + "Saving sheet " + sheetName + ".", colors::Black);
    sheetFile.width = atlasFile.width = sheet.image.width();
    sheetFile.height = atlasFile.height = sheet.image.height();
    sheetFile.bpp = sheet.image.bitsPerPixel();
    const ImageFormat format = OutputFormatOf(sheetName);
    putSheetFile(sheetName, std::move(sheetAt), sheetFile, [&](AtomicFile* file) {
        return file ? WriteImageFile(sheet.image, *file, format, switches_.pngLevel)
                    : EncodedImageSize(sheet.image, format, switches_.pngLevel);
    });
    log_.wrote(sheetFile);
    log_.logLine(Indent + "Saving atlas " + atlasName + ".", colors::Black);
    const std::string text = AtlasText(sheet.frames, sheet.meta, switches_.atlasLayout);
    putSheetFile(atlasName, std::move(atlasAt), atlasFile, [&](AtomicFile* file) {
        if (file) {
            file->write(text.data(), text.size());
        }
        return std::uint64_t(text.size());
    });
    log_.wrote(atlasFile);
    if (log_.stopRequested()) {
        throw RunStopped{};
    }
}

// A sheet of a frame the run could not read, or of a clip no bitmap holds,
// would lack a frame: it is refused rather than written short.
std::optional<std::string> ExtractionRun::sheetRefusal(const Region& region, const std::vector<int>& rows) const
{
    const std::string& sheetName = region.Sheet.File;
    if (std::optional<std::string> refusal = SheetNameRefusal(sheetName)) {
        return refusal;
    }
    if (!IsWritableBitmapSize(region.Width, region.Height, 32)) {
        return "Refused sheet " + sheetName + ": clip size " + std::to_string(region.Width) + " x "
               + std::to_string(region.Height) + ".";
    }
    for (const int row : rows) {
        const std::string& frame = region.InputFrame[row];
        if (project_.FrameStatus[std::size_t(*FramePositionOf(project_, frame))] != FrameLoaded) {
            return "Refused sheet " + sheetName + ": frame " + frame + " could not be read.";
        }
    }
    return std::nullopt;
}

// The fingerprints of every frame's clip, in order, with how the atlas is written.
std::string ExtractionRun::sheetInputs(const Region& region, const std::vector<int>& rows)
{
    StableHash hash;
    hash.addPart(std::uint64_t(switches_.atlasLayout)).addPart(std::uint64_t(switches_.frameTime));
    for (const int row : rows) {
        const std::string& frame = region.InputFrame[row];
        if (readsByContent()) {
            readHashed(project_.FramePath(frame));
        }
        fingerprints_.startFrame(frame, RegionsPaintedOn(project_, frame));
        hash.addPart(fingerprints_.of(region)).addPart(region.OutputFile[row]);
    }
    return hash.hex();
}

OutputRecord ExtractionRun::sheetRecord(const Region& region, const std::string& outputName, OutputKind kind)
{
    OutputRecord record;
    record.file = std::string(OutputFolderName) + "/" + outputName;
    record.region = region.Name;
    record.type = region.RegionType;
    record.kind = kind;
    return record;
}

// A place the run may not write through is refused, as for any output.
OutputPlace ExtractionRun::sheetPlace(const Region& region, const std::string& outputName)
{
    OutputPlace place = outputs_.locate(outputName);
    if (place.reach == OutputReach::ThroughLink) {
        refuse(region, {}, outputName, "Refused output name " + outputName + " through a symbolic link.");
    } else if (place.reach != OutputReach::Ready) {
        outputs_.claim(place, outputName);
    }
    return place;
}

// `write` gets the temporary file to fill, or nothing in a dry run, and
// returns the file's size.
void ExtractionRun::putSheetFile(const std::string& outputName, OutputPlace&& place, OutputRecord& record,
                                 const std::function<std::uint64_t(AtomicFile*)>& write)
{
    const std::string path = outputs_.claim(place, outputName);
    if (switches_.dryRun) {
        record.bytes = write(nullptr);
        return;
    }
    AtomicFile file(std::move(place.folder), place.fileName, path, place.entry);
    record.bytes = write(&file);
    file.commit(false);
    if (switches_.recordOutputs) {
        const FileDigest written = DigestOfFile(JoinPath(project_.ProjectFolder, record.file));
        record.stamp = written.stamp;
        record.hash = written.hash;
    }
}

void LogHeader(const Project& project, LogSink& log)
{
    log.logLine("Processing project: " + project.ProjectFileName, colors::Blue);
    log.logLine(std::string(50, '*'), colors::Blue);
    log.logLine("", colors::Green);
    log.logLine("Extracting VidIziz", colors::Green);
    if (!project.PreFilterFile.empty() && FileExists(project.PreFilterFile)) {
        log.logLine("Using pre-filter " + project.PreFilterFile + ".", colors::Green);
    }
}

}  // namespace

RunEnd RunExtraction(const Project& project, const ExtractSwitches& switches, LogSink& log)
{
    LogHeader(project, log);
    ExtractionRun run(project, switches, log);
    try {
        run.processFrames();
        if (switches.sources) {
            *switches.sources = run.sources();
        }
    } catch (const RunStopped&) {
        run.release();
        log.logLine(Indent + "Stopped.", colors::Red);
        return RunEnd::Stopped;
    } catch (...) {
        // The closing line belongs to every run that went to its end or was
        // ended by an error.
        run.release();
        log.logLine("All Done!!!", colors::Blue);
        throw;
    }
    run.release();
    log.logLine("All Done!!!", colors::Blue);
    return RunEnd::Finished;
}

}  // namespace tolv
