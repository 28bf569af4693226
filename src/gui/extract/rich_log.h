#pragma once

#include "extract/log_sink.h"

#include <QColor>
#include <QTextEdit>

class QProgressBar;

namespace tolv::gui {

// The coloured log of the extraction run and the project check: one line per
// event in its own colour, repainted at once so the user sees progress while
// the synchronous run blocks the interface. Read-only for the user.
class RichLog : public QTextEdit, public LogSink {
    Q_OBJECT
public:
    explicit RichLog(QWidget* parent = nullptr);

    void logLine(const std::string& text, Color color) override;
    void progress(int framesDone, int framesToDo) override;
    void clearLines();
    // Where Progress goes; none by default.
    void setProgressBar(QProgressBar* bar) { progress_ = bar; }
    // While an event filter decides which of the user's input counts, the
    // log lets all input through as it repaints instead of holding it back.
    void setInputGated(bool gated) { inputGated_ = gated; }

    int lineCount() const;
    // Text and colour of line i (0-based).
    QString line(int i) const;
    QColor lineColor(int i) const;

private:
    void showNow();

    QProgressBar* progress_ = nullptr;
    bool empty_ = true;
    bool inputGated_ = false;
};

}  // namespace tolv::gui
