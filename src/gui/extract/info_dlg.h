#pragma once

#include <QDialog>

namespace tolv {
struct Project;
}

namespace tolv::gui {

class TRichLog;

// The modeless "Results" window of the project check: a coloured log and
// "&Close". It stays open beside the main window and is reused by each check.
class Tinfo_dlg : public QDialog {
    Q_OBJECT
public:
    explicit Tinfo_dlg(QWidget* parent = nullptr);

    // Empties the log, shows the window (without blocking) and writes the
    // check's report into it. Returns the number of findings.
    int RunCheck(const Project& project);

    TRichLog* Log() const { return memo1; }

private:
    TRichLog* memo1 = nullptr;
};

}  // namespace tolv::gui
