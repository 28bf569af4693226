#pragma once

#include "extract/input_fingerprint.h"
#include "extract/log_sink.h"
#include "extract/run_records.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace tolv::cli {

// The index of a run: one JSON document listing every file the run wrote,
// with where it came from and where it sat in its frame, and what an
// incremental run needs to know it again (the file's stamp, the fingerprint
// of its inputs).

// A file given as the index that is not one, or cannot be read.
class IndexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What an earlier index lists: the files its run made, and the stale files
// it still reported; none when there is no file at `path`.
struct PreviousRun {
    PreviousOutputs outputs;
    std::vector<OutputRecord> stale;
    // Both lists together.
    std::vector<OutputRecord> everyFile() const;
};

// Raises IndexError for anything at `path` that is not an index.
PreviousRun ReadRunIndex(const std::string& path);

// Raises IndexError when `path` may not take the run's index: something there
// that is not a plain file (a FIFO, a device, a folder), or one of the files
// the run writes (`outputNames` in `outputFolder`), however it is named or
// linked.
void CheckIndexPlace(const std::string& path, const std::string& outputFolder,
                     const std::vector<std::string>& outputNames);

// What an index describes besides its files.
struct RunDescription {
    std::string projectFile;
    ChangeRule rule = ChangeRule::Stamp;
    std::vector<InputSource> sources;
};

// Writes the index atomically, replacing an earlier one; raises
// FileWriteError with the path. Stale files left in place are listed apart,
// so that every later run reports them again until they are gone.
void WriteRunIndex(const std::string& path, const RunDescription& run, const std::vector<OutputRecord>& outputs,
                   const std::vector<OutputRecord>& stale);

// A name as make and ninja read it in a dependency file: spaces, tabs and '#'
// escaped with a backslash, '$' doubled. Raises IndexError for a line break,
// which neither can read.
std::string DepfileName(const std::string& name);

// Writes "TARGETS: PREREQUISITES" atomically, one name a line.
void WriteDepfile(const std::string& path, const std::vector<std::string>& targets,
                  const std::vector<std::string>& prerequisites);

// Passes everything on to another log and counts the files the run wrote,
// kept and refused. With `keepsOutputs` it also keeps the record of every file
// written or kept, in the run's order, for the index: a run without one need
// not hold a record per output.
class RecordingLog : public LogSink {
public:
    RecordingLog(LogSink& next, bool keepsOutputs) : next_(next), keepsOutputs_(keepsOutputs) {}

    const std::vector<OutputRecord>& outputs() const { return outputs_; }
    int written() const { return written_; }
    int skippedCount() const { return skipped_; }
    int refusedCount() const { return refused_; }

    void logLine(const std::string& text, Color color) override { next_.logLine(text, color); }
    void progress(int framesDone, int framesToDo) override { next_.progress(framesDone, framesToDo); }
    void frameStarted(const std::string& frame, int position) override { next_.frameStarted(frame, position); }
    void wrote(const OutputRecord& output) override;
    void skipped(const OutputRecord& output) override;
    void refused(const Refusal& refusal) override
    {
        ++refused_;
        next_.refused(refusal);
    }
    void found(const std::string& subject, const std::string& message) override { next_.found(subject, message); }
    bool stopRequested() override { return next_.stopRequested(); }

private:
    void keep(const OutputRecord& output);

    LogSink& next_;
    const bool keepsOutputs_;
    std::vector<OutputRecord> outputs_;
    int written_ = 0;
    int skipped_ = 0;
    int refused_ = 0;
};

}  // namespace tolv::cli
