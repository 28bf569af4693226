#pragma once

#include "platform/image/png_codec.h"

#include "extract/output_ledger.h"
#include "gui/dialogs/help_dialog.h"
#include "settings/settings.h"

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QProgressBar;
class QPushButton;
class QUrl;

namespace tolv {
struct Project;
}

namespace tolv::gui {

class DialogRun;
class RichLog;

// The onExtract precondition: without frames or without regions shows
// "Please define your animation frames ..." and returns false.
bool ExtractionAllowed(QWidget* parent, const Project& project);

// The " Extraction Processor" dialog: the two switches "Clips" and
// "Backgrounds" (the project's Clips and Backgrnds), "Process" that runs the
// extraction into the coloured log, "Preview" that lists what Process would
// write, "Stop" that ends a run after the file at hand, "Open Output Folder",
// a progress bar of frames done, and "Remove Stale Files" for the files of
// an earlier run of this session that the last run no longer made.
// The caller sets the open project before showing it; the log keeps the text
// of the previous run until "Process" or "Preview" is pressed. While a run
// lasts only Stop and Esc (which stops too) take the user's input; closing
// the dialog stops the run and closes it when the run has ended.
class ExtractionDialog : public HelpDialog {
    Q_OBJECT
public:
    // Shows a folder in the desktop's file manager; false when it could not.
    using FolderOpener = std::function<bool(const QUrl& folder)>;

    explicit ExtractionDialog(QWidget* parent = nullptr);

    // The project whose switches the check boxes show and that a run
    // extracts; not owned.
    void setProject(const Project* project);
    // Sets the project, and from the program's settings the compression of
    // PNG outputs and the frame time of sheets (the Animate delay), and shows
    // the dialog modally.
    int openFor(const Project& project, const Settings& settings);
    // The "Process" button: runs the extraction with the switches; an error
    // that stops it is shown after "All Done!!!".
    void runExtraction();
    // The "Preview" button: the same run writing nothing, then the list of
    // the files it would write and their sizes.
    void runPreview();
    // Replaces the desktop's file manager, for tests.
    void setFolderOpener(FolderOpener opener) { folderOpener_ = std::move(opener); }

    RichLog* log() const { return log_; }

signals:
    // After every run, finished or stopped.
    void runFinished();
    // A switch was clicked; the project changes through whoever listens.
    void switchesChanged(bool clips, bool backgrounds);

public slots:
    // A close asked for during a run stops the run and waits for its end.
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onSwitchClicked();
    void addRunButtons();
    void layOut();
    void run(bool dryRun);
    // The run itself, with the interface shut but for Stop; the error that
    // stopped it, if any.
    std::optional<std::string> runShut(bool dryRun);
    void setRunning(bool running);
    QString outputFolder() const;
    void openOutputFolder();
    // Reports the files of earlier runs that a real run no longer made.
    void reportStale(const std::vector<OutputRecord>& written, bool wentToEnd);
    void removeStale();
    std::string projectPath() const;

    QCheckBox* clipsCheck = nullptr;
    QCheckBox* backgroundsCheck = nullptr;
    RichLog* log_ = nullptr;
    QProgressBar* progress = nullptr;
    QPushButton* processButton = nullptr;
    QPushButton* previewButton = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* openFolderButton = nullptr;
    QPushButton* removeStaleButton = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* helpButton = nullptr;
    const Project* project_ = nullptr;
    int pngLevel_ = DefaultPngLevel;
    int frameTime_ = Settings{}.AnimationDelay;
    DialogRun* run_ = nullptr;
    std::optional<int> closeAfterRun_;
    FolderOpener folderOpener_;
    OutputLedger ledger_;
};

}  // namespace tolv::gui
