#include "extract/extraction_run.h"

#include "editor/frame_marks.h"
#include "editor/frame_rule.h"
#include "extract/clip_cut.h"
#include "extract/frame_prefetch.h"
#include "extract/input_fingerprint.h"
#include "extract/output_name.h"
#include "extract/prefilter.h"
#include "extract/run_problems.h"
#include "platform/errors.h"
#include "platform/image/atomic_bmp.h"
#include "platform/image/image_file.h"
#include "platform/io/content_hash.h"
#include "platform/io/files.h"
#include "platform/io/temporary_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <set>
#include <utility>

namespace tolv {

namespace {

const std::string Indent = "     ";
// Far above any frame a bitmap can hold.
constexpr std::size_t FrameFileLimit = std::size_t(1) << 34;

// An output row of the region that cuts the frame.
bool IsRowOf(const Region& region, int row, const std::string& frameName)
{
    return !region.OutputFile[row].empty() && SameNameIgnoringCase(region.InputFrame[row], frameName);
}

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
    // Raises FileWriteError when the place cannot receive the file.
    void check(const OutputPlace& place, const std::string& outputName) const;
    // The file takes the place's folder.
    AtomicFile open(OutputPlace&& place, const std::string& outputName);

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

void RunOutputs::check(const OutputPlace& place, const std::string& outputName) const
{
    if (place.reach != OutputReach::Ready) {
        const bool folderThere = folder_.isOpen() || folderMissing_;
        throw FileWriteError(folderThere ? JoinPath(path_, outputName) : path_);
    }
}

AtomicFile RunOutputs::open(OutputPlace&& place, const std::string& outputName)
{
    check(place, outputName);
    const std::string path = JoinPath(path_, outputName);
    if (swept_.insert(place.folderName).second) {
        SweepStaleTemporaries(place.folder);
    }
    return AtomicFile(std::move(place.folder), place.fileName, path);
}

// The run ends after the row at hand when the caller asks it to.
struct RunStopped {};

// One run over the frames. The pre-filter depends on the frame only, not on
// the region being cut, so each frame is loaded, cleaned and pre-filtered once
// and every background and clip of that frame is written from that one
// working bitmap; besides it only the next frame is held, read ahead. A frame
// whose outputs an incremental run keeps is not read at all.
class ExtractionRun {
public:
    ExtractionRun(const Project& project, const ExtractSwitches& switches, LogSink& log)
        : project_(project), switches_(switches), log_(log), outputs_(project.ProjectFolder, switches.dryRun),
          fingerprints_(project, switches.rule)
    {}

    void processFrames();
    const std::vector<InputSource>& sources() const { return fingerprints_.sources(); }
    void release()
    {
        frameBytes_.reset();
        Bitmap spent = std::exchange(work_, Bitmap());
        if (prefetch_) {
            prefetch_->giveBack(std::move(spent));
        }
    }

private:
    std::array<std::pair<RegionKind, bool>, 2> passes() const;
    bool anyRowOf(const std::string& frameName, const std::function<bool(const Region&, int)>& test) const;
    bool loads(const std::string& frameName);
    std::vector<PlannedFrame> framesToLoad();
    void processFrame(int position);
    void extractRegion(const Region& region);
    void writeRow(const Region& region, const std::string& outputName);
    bool refuses(const Region& region, const std::string& outputName);
    void refuse(const Region& region, const std::string& outputName, const std::string& message);
    OutputRecord recordOf(const Region& region, const std::string& outputName);
    const OutputRecord* unchanged(const std::string& outputName, const OutputRecord& record) const;
    bool keeps(const Region& region, const std::string& outputName);
    void write(const Region& region, const std::string& outputName, OutputPlace&& place, OutputRecord& record);
    bool fingerprints() const { return switches_.recordOutputs || switches_.previous; }
    bool readsByContent() const { return fingerprints() && switches_.rule == ChangeRule::Content; }
    void report(const RunProblem& problem, const std::string& indent);
    void reportOverlayProblems();
    void startFrame();
    void readFrameBytes();
    void loadFrame();
    void endRow();

    const Project& project_;
    const ExtractSwitches& switches_;
    LogSink& log_;
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
    // The last clip written, whose memory the next one takes.
    Bitmap clip_;
    Bitmap work_;
};

void ExtractionRun::processFrames()
{
    const int toDo = int(std::count(project_.FrameStatus.begin(), project_.FrameStatus.begin() + project_.FrameCount(),
                                    std::uint8_t(FrameLoaded)));
    int done = 0;
    prefetch_.emplace(framesToLoad());
    for (int i = 0; i < project_.FrameCount(); ++i) {
        if (project_.FrameStatus[i] != FrameLoaded) {
            // Only a frame the run has a row for leaves something undone.
            const std::string& name = project_.FrameNames[i];
            if (anyRowOf(name, [](const Region&, int) { return true; })) {
                report(UnusableFrameProblem(project_, name), "");
            }
            continue;
        }
        processFrame(i);
        log_.progress(++done, toDo);
    }
}

// Backgrounds of a frame are written before its clips, whatever the list order.
std::array<std::pair<RegionKind, bool>, 2> ExtractionRun::passes() const
{
    return {{{RegionKind::Background, switches_.backgrounds}, {RegionKind::Clip, switches_.clips}}};
}

// Whether a row of the frame that the run writes passes the test.
bool ExtractionRun::anyRowOf(const std::string& frameName, const std::function<bool(const Region&, int)>& test) const
{
    for (const auto& [kind, on] : passes()) {
        for (const auto& region : project_.Regions) {
            for (int r = 0; on && region->RegionType == kind && r < WorksheetRows; ++r) {
                if (IsRowOf(*region, r, frameName) && test(*region, r)) {
                    return true;
                }
            }
        }
    }
    return false;
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
    release();
    frameName_ = project_.FrameNames[position];
    framePosition_ = position;
    frameStarted_ = false;
    frameLoaded_ = false;
    for (const auto& [kind, on] : passes()) {
        for (const auto& region : project_.Regions) {
            if (on && region->RegionType == kind) {
                extractRegion(*region);
            }
        }
    }
}

void ExtractionRun::extractRegion(const Region& region)
{
    for (int r = 0; r < WorksheetRows; ++r) {
        if (IsRowOf(region, r, frameName_)) {
            writeRow(region, region.OutputFile[r]);
            endRow();
        }
    }
}

void ExtractionRun::writeRow(const Region& region, const std::string& outputName)
{
    if (!frameStarted_) {
        startFrame();
    }
    OutputRecord record = recordOf(region, outputName);
    if (const OutputRecord* unchangedOutput = unchanged(outputName, record)) {
        log_.logLine(Indent + "Unchanged " + outputName, colors::Black);
        OutputRecord kept = *unchangedOutput;
        kept.framePosition = record.framePosition;
        log_.skipped(kept);
        return;
    }
    if (!frameLoaded_) {
        loadFrame();
    }
    if (refuses(region, outputName)) {
        return;
    }
    OutputPlace place = outputs_.locate(outputName);
    if (place.reach == OutputReach::ThroughLink) {
        refuse(region, outputName, "Refused output name " + outputName + " through a symbolic link.");
        return;
    }
    const bool clip = region.RegionType == RegionKind::Clip;
    log_.logLine(Indent + "Saving" + (clip ? " clip " : " background ") + outputName + ".", colors::Black);
    write(region, outputName, std::move(place), record);
    log_.wrote(record);
}

void ExtractionRun::write(const Region& region, const std::string& outputName, OutputPlace&& place,
                          OutputRecord& record)
{
    const bool isClip = region.RegionType == RegionKind::Clip;
    if (isClip) {
        clip_ = CutClip(work_, ClipArea{region.Left, region.Top, region.Width, region.Height}, std::move(clip_));
    }
    const Bitmap& image = isClip ? clip_ : work_;
    record.bpp = image.bitsPerPixel();
    record.width = image.width();
    record.height = image.height();
    const ImageFormat format = OutputFormatOf(outputName);
    if (switches_.dryRun) {
        record.bytes = EncodedImageSize(image, format, switches_.pngLevel);
        outputs_.check(place, outputName);
        return;
    }
    AtomicFile file = outputs_.open(std::move(place), outputName);
    record.bytes = SaveImageFile(image, file, format, switches_.pngLevel);
    if (switches_.recordOutputs) {
        const FileDigest written = DigestOfFile(JoinPath(project_.ProjectFolder, record.file));
        record.stamp = written.stamp;
        record.hash = written.hash;
    }
}

// Rows whose name the run cannot create (see FaultOfOutputName), a clip that no bitmap
// can hold, or one with no pixel on its frame (which would come out all
// black), are refused with a finding; the run goes on with the next row.
bool ExtractionRun::refuses(const Region& region, const std::string& outputName)
{
    if (const NameFault fault = FaultOfOutputName(outputName); fault != NameFault::None) {
        refuse(region, outputName, OutputNameRefusal(outputName, fault));
        return true;
    }
    if (region.RegionType == RegionKind::Clip
        && !IsWritableBitmapSize(region.Width, region.Height, work_.bitsPerPixel())) {
        refuse(region, outputName,
               "Refused clip size " + std::to_string(region.Width) + " x " + std::to_string(region.Height) + " for "
                   + outputName + ".");
        return true;
    }
    if (region.RegionType == RegionKind::Clip && !FrameRule(work_.width(), work_.height()).holds(GeometryOf(region))) {
        refuse(region, outputName,
               "Refused clip " + outputName + ": region " + region.Name + " lies outside the frame.");
        return true;
    }
    return false;
}

void ExtractionRun::refuse(const Region& region, const std::string& outputName, const std::string& message)
{
    log_.logLine(Indent + message, colors::Red);
    log_.refused(Refusal{region.Name, frameName_, outputName, message});
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

void ExtractionRun::endRow()
{
    if (log_.stopRequested()) {
        throw RunStopped{};
    }
}

void ExtractionRun::startFrame()
{
    log_.logLine("Animation frame " + frameName_, colors::Black);
    log_.frameStarted(frameName_, framePosition_ + 1);
    painted_ = RegionsPaintedOn(project_, frameName_);
    if (readsByContent()) {
        readFrameBytes();
    }
    if (fingerprints()) {
        fingerprints_.startFrame(frameName_, painted_);
    }
    frameStarted_ = true;
    reportOverlayProblems();
}

void ExtractionRun::report(const RunProblem& problem, const std::string& indent)
{
    log_.logLine(indent + ProblemLogLine(problem), colors::Red);
    log_.problem(problem);
}

void ExtractionRun::reportOverlayProblems()
{
    for (const Region* region : painted_) {
        if (overlaysReported_.count(region) > 0) {
            continue;
        }
        if (const std::optional<RunProblem> problem = OverlayProblem(project_, *region)) {
            overlaysReported_.insert(region);
            report(*problem, Indent);
        }
    }
}

void ExtractionRun::readFrameBytes()
{
    const std::string path = project_.FramePath(frameName_);
    try {
        FileIdentity identity;
        frameBytes_ = ReadWholeFile(path, FrameFileLimit, &identity);
        fingerprints_.readFrame(path, FileDigest{StampOfIdentity(identity), ContentHash(*frameBytes_)});
    } catch (const FileReadError&) {
        // Read again where it is decoded, which raises there what it raises.
        frameBytes_.reset();
        fingerprints_.readFrame(path, std::nullopt);
    }
}

void ExtractionRun::loadFrame()
{
    if (frameBytes_) {
        work_ = DecodeImageFile(*frameBytes_);
        frameBytes_.reset();
    } else {
        work_ = prefetch_->take(framePosition_, project_.FramePath(frameName_));
    }
    if (project_.CleanEdges) {
        CleanFrameEdges(work_);
    }
    PrefilterFrame(work_, painted_, overlayPaints_);
    frameLoaded_ = true;
    if (switches_.beforeWriting) {
        switches_.beforeWriting(frameName_);
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
