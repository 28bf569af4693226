#pragma once

#include "gui/dialogs/help_dialog.h"


class QCheckBox;
class QProgressBar;
class QPushButton;

namespace tolv {
struct Project;
}

namespace tolv::gui {

class RichLog;

// The onExtract precondition: without frames or without regions shows
// "Please define your animation frames ..." and returns false.
bool ExtractionAllowed(QWidget* parent, const Project& project);

// The " Extraction Processor" dialog: the two switches "Clips" and
// "Backgrounds" (the project's Clips and Backgrnds), "Process" that runs the
// extraction into the coloured log, and a progress bar of frames done.
// The caller sets the open project before showing it; the log keeps the text
// of the previous run until "Process" is pressed.
class ExtractionDialog : public HelpDialog {
    Q_OBJECT
public:
    explicit ExtractionDialog(QWidget* parent = nullptr);

    // The project whose switches the check boxes show and that a run
    // extracts; not owned.
    void SetProject(Project* project);
    // Sets the project and shows the dialog modally.
    int Open(Project& project);
    // The "Process" button: runs the extraction with the switches; an error
    // that stops it is shown after "All Done!!!".
    void runExtraction();

    RichLog* Log() const { return log_; }

signals:
    // After every run, finished or stopped: the run leaves region marks of its
    // last frame, so the editor may want to mark its own frame again.
    void runFinished();
    // A switch was clicked; the project changes through whoever listens.
    void switchesChanged(bool clips, bool backgrounds);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onSwitchClicked();
    void LayOut();

    QCheckBox* clipsCheck = nullptr;
    QCheckBox* backgroundsCheck = nullptr;
    RichLog* log_ = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* processButton = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* helpButton = nullptr;
    Project* project_ = nullptr;
};

}  // namespace tolv::gui
