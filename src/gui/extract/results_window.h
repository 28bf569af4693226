#pragma once

#include <QDialog>

namespace tolv {
struct Project;
}

namespace tolv::gui {

class RichLog;

// The modeless "Results" window of the project check: a coloured log and
// "&Close". It stays open beside the main window and is reused by each check.
class ResultsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ResultsWindow(QWidget* parent = nullptr);

    // Empties the log, shows the window (without blocking) and writes the
    // check's report into it. Returns the number of findings.
    int runCheck(const Project& project);

    RichLog* log() const { return log_; }

private:
    RichLog* log_ = nullptr;
};

}  // namespace tolv::gui
