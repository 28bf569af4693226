#pragma once

#include <QDialog>

class QCheckBox;
class QProgressBar;
class QPushButton;

namespace tolv {
struct Project;
}

namespace tolv::gui {

class TRichLog;

// The Extract1Click precondition: without frames or without regions shows
// "Please define your animation frames ..." and returns false.
bool ExtractionAllowed(QWidget* parent, const Project& project);

// The " Extraction Processor" dialog: the two switches "Clips" and
// "Backgrounds" (the project's Clips and Backgrnds), "Process" that runs the
// extraction into the coloured log, and a progress bar of frames done.
// The caller sets the open project before showing it; the log keeps the text
// of the previous run until "Process" is pressed.
class Tx_dlg : public QDialog {
    Q_OBJECT
public:
    explicit Tx_dlg(QWidget* parent = nullptr);

    // The project whose switches the check boxes show and set; not owned.
    void SetProject(Project* project);
    // Sets the project and shows the dialog modally.
    int Open(Project& project);
    // The "Process" button: runs the extraction with the switches; an error
    // that stops it is shown after "All Done!!!".
    void ExtractObject();

    TRichLog* Log() const { return xlb; }

signals:
    // After every run, finished or stopped: the run leaves region marks of its
    // last frame, so the editor may want to mark its own frame again.
    void RunFinished();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SwitchClick();
    void LayOut();

    QCheckBox* b_xclip = nullptr;
    QCheckBox* b_xback = nullptr;
    TRichLog* xlb = nullptr;
    QProgressBar* xprogress = nullptr;
    QPushButton* bProcess = nullptr;
    QPushButton* bClose = nullptr;
    QPushButton* bHelp = nullptr;
    Project* project_ = nullptr;
};

}  // namespace tolv::gui
