#pragma once

#include "extract/log_sink.h"

#include <QObject>

#include <vector>

class QPushButton;

namespace tolv::gui {

class RichLog;

// One run of the Extraction Processor, for as long as it lasts. Its lines and
// progress go to the log and its files to `written()`. The run blocks the
// interface, so between lines the interface gets its events; of the user's
// input only the Stop button's clicks and Esc count, everything else is
// discarded while the run lasts rather than queued up for after it.
class DialogRun : public QObject, public LogSink {
public:
    DialogRun(RichLog& log, const QPushButton& stop);
    ~DialogRun() override;
    DialogRun(const DialogRun&) = delete;
    DialogRun& operator=(const DialogRun&) = delete;

    // The run ends after the file at hand.
    void requestStop() { stopRequested_ = true; }
    // The files the run wrote, or in a dry run would write.
    const std::vector<OutputRecord>& written() const { return written_; }

    void logLine(const std::string& text, Color color) override;
    void progress(int framesDone, int framesToDo) override;
    void wrote(const OutputRecord& output) override;
    bool stopRequested() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RichLog& log_;
    const QPushButton& stop_;
    std::vector<OutputRecord> written_;
    bool stopRequested_ = false;
};

}  // namespace tolv::gui
