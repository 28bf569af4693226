#include "gui/extract/extraction_dialog.h"

#include "extract/extraction_run.h"
#include "extract/output_name.h"
#include "extract/run_preview.h"
#include "gui/common/message_box.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/extract/dialog_run.h"
#include "gui/extract/rich_log.h"
#include "platform/io/files.h"
#include "project/project.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QUrl>

#include <utility>

namespace tolv::gui {

bool ExtractionAllowed(QWidget* parent, const Project& project)
{
    if (project.FrameCount() > 0 && !project.Regions.empty())
        return true;
    ShowMessage(parent, MsgKind::Information,
                "Please define your animation frames in the Project-Settings dialog and create at least one region "
                "before extacting!");
    return false;
}

ExtractionDialog::ExtractionDialog(QWidget* parent)
    : HelpDialog(parent, Qt::Tool), folderOpener_([](const QUrl& folder) { return QDesktopServices::openUrl(folder); })
{
    setObjectName("x_dlg");
    setWindowTitle(" Extraction Processor");
    UseDialogFont(this);
    resize(548, 303);
    setMinimumSize(548, 290);

    auto* items = AddControl<QGroupBox>(this, nullptr, {8, 28, 161, 81}, "Extract These Items");
    clipsCheck = AddControl<QCheckBox>(items, "clipsCheck", {16, 24, 97, 17}, "Clips");
    backgroundsCheck = AddControl<QCheckBox>(items, "backgroundsCheck", {16, 48, 97, 17}, "Backgrounds");
    clipsCheck->setChecked(true);
    backgroundsCheck->setChecked(true);
    connect(clipsCheck, &QCheckBox::clicked, this, &ExtractionDialog::onSwitchClicked);
    connect(backgroundsCheck, &QCheckBox::clicked, this, &ExtractionDialog::onSwitchClicked);

    AddLabel(this, "Status", 184, 16);
    log_ = new RichLog(this);
    log_->setObjectName("log_");
    progress = new QProgressBar(this);
    progress->setObjectName("progress");
    progress->setTextVisible(true);
    progress->setFormat("%v / %m");
    // Empty until the first run: no "0 / 100" of a run that never was.
    progress->reset();
    log_->setProgressBar(progress);

    processButton = AddControl<QPushButton>(this, "processButton", {40, 136, 97, 25}, "Process");
    processButton->setDefault(true);
    connect(processButton, &QPushButton::clicked, this, &ExtractionDialog::runExtraction);
    addRunButtons();
    closeButton = AddButton(this, "&Close", 9, 264);
    closeButton->setObjectName("closeButton");
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    helpButton = AddHelpButton(this, this, {96, 264}, "topic90", "helpButton");
    layOut();
}

// Under "Process", clear of "&Close" also at the smallest height.
void ExtractionDialog::addRunButtons()
{
    previewButton = AddControl<QPushButton>(this, "previewButton", {9, 166, 75, 25}, "Preview");
    connect(previewButton, &QPushButton::clicked, this, &ExtractionDialog::runPreview);
    stopButton = AddControl<QPushButton>(this, "stopButton", {96, 166, 75, 25}, "Stop");
    stopButton->setEnabled(false);
    connect(stopButton, &QPushButton::clicked, this, [this] {
        if (run_)
            run_->requestStop();
    });
    openFolderButton = AddControl<QPushButton>(this, "openFolderButton", {9, 194, 162, 25}, "Open Output Folder");
    openFolderButton->setEnabled(false);
    connect(openFolderButton, &QPushButton::clicked, this, &ExtractionDialog::openOutputFolder);
    removeStaleButton = AddControl<QPushButton>(this, "removeStaleButton", {9, 222, 162, 25}, "Remove Stale Files");
    removeStaleButton->setEnabled(false);
    connect(removeStaleButton, &QPushButton::clicked, this, &ExtractionDialog::removeStale);
}

void ExtractionDialog::layOut()
{
    // The log grows with the window; the progress bar stays under it and the
    // two buttons keep their distance to the bottom edge.
    constexpr int barHeight = 16;
    Place(log_, 184, 32, width() - 184 - 13, height() - 32 - 11 - barHeight - 4);
    Place(progress, 184, height() - 11 - barHeight, width() - 184 - 13, barHeight);
    closeButton->move(9, height() - 39);
    helpButton->move(96, height() - 39);
}

void ExtractionDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layOut();
}

void ExtractionDialog::setProject(const Project* project)
{
    project_ = project;
    if (!project_)
        return;
    clipsCheck->setChecked(project_->Clips);
    backgroundsCheck->setChecked(project_->Backgrnds);
    openFolderButton->setEnabled(QFileInfo(outputFolder()).isDir());
    removeStaleButton->setEnabled(!ledger_.staleOf(projectPath()).empty());
}

int ExtractionDialog::openFor(const Project& project, const Settings& settings)
{
    setProject(&project);
    pngLevel_ = settings.PngLevel;
    frameTime_ = settings.AnimationDelay;
    return exec();
}

void ExtractionDialog::onSwitchClicked()
{
    if (!project_)
        return;
    emit switchesChanged(clipsCheck->isChecked(), backgroundsCheck->isChecked());
}

void ExtractionDialog::runExtraction()
{
    run(false);
}

void ExtractionDialog::runPreview()
{
    run(true);
}

void ExtractionDialog::run(bool dryRun)
{
    if (!project_ || run_)
        return;
    log_->clearLines();
    setRunning(true);
    const std::optional<std::string> error = runShut(dryRun);
    setRunning(false);
    if (error)
        ShowError(this, QString::fromStdString(*error));
    emit runFinished();
    if (closeAfterRun_)
        QDialog::done(*std::exchange(closeAfterRun_, std::nullopt));
}

std::optional<std::string> ExtractionDialog::runShut(bool dryRun)
{
    DialogRun run(*log_, *stopButton);
    run_ = &run;
    run.logLine("Output folder: " + QDir::toNativeSeparators(outputFolder()).toStdString(), colors::Green);
    if (dryRun)
        run.logLine("Preview: nothing is written.", colors::Green);
    std::optional<std::string> error;
    bool wentToEnd = false;
    ExtractSwitches switches{clipsCheck->isChecked(), backgroundsCheck->isChecked(), dryRun};
    switches.pngLevel = pngLevel_;
    switches.frameTime = frameTime_;
    try {
        wentToEnd = tolv::RunExtraction(*project_, switches, run) == RunEnd::Finished;
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (dryRun) {
        const std::vector<std::string> lines = PreviewLines(run.written());
        for (std::size_t i = 0; i < lines.size(); ++i)
            log_->logLine(lines[i], i == 0 ? colors::Blue : colors::Black);
    } else {
        reportStale(run.written(), wentToEnd);
    }
    run_ = nullptr;
    return error;
}

std::string ExtractionDialog::projectPath() const
{
    return JoinPath(project_->ProjectFolder, project_->ProjectFileName);
}

void ExtractionDialog::reportStale(const std::vector<OutputRecord>& written, bool wentToEnd)
{
    const std::vector<OutputRecord>& stale =
        ledger_.afterRun(projectPath(), project_->ProjectFolder, written, wentToEnd);
    removeStaleButton->setEnabled(!stale.empty());
    if (stale.empty())
        return;
    const std::string count =
        stale.size() == 1 ? "1 file in VidIziz is" : std::to_string(stale.size()) + " files in VidIziz are";
    log_->logLine(count + " no longer made by this project", colors::Blue);
    for (const OutputRecord& file : stale)
        log_->logLine("     " + file.file, colors::Black);
}

void ExtractionDialog::removeStale()
{
    if (!project_ || run_)
        return;
    removeStaleButton->setEnabled(false);
    for (const auto& [file, outcome] : ledger_.prune(projectPath(), project_->ProjectFolder))
        log_->logLine("     " + file.file + ": " + PruneOutcomeText(outcome),
                      outcome == PruneOutcome::Removed ? colors::Black : colors::Red);
}

void ExtractionDialog::setRunning(bool running)
{
    processButton->setEnabled(!running);
    previewButton->setEnabled(!running);
    stopButton->setEnabled(running);
    openFolderButton->setEnabled(!running && QFileInfo(outputFolder()).isDir());
    if (running)
        removeStaleButton->setEnabled(false);
}

void ExtractionDialog::done(int result)
{
    if (!run_) {
        QDialog::done(result);
        return;
    }
    run_->requestStop();
    closeAfterRun_ = result;
}

QString ExtractionDialog::outputFolder() const
{
    if (!project_)
        return {};
    return QFileInfo(QString::fromStdString(JoinPath(project_->ProjectFolder, OutputFolderName))).absoluteFilePath();
}

void ExtractionDialog::openOutputFolder()
{
    // The folder may have gone since the button was enabled.
    const QString folder = outputFolder();
    const QString shown = QDir::toNativeSeparators(folder);
    if (!QFileInfo(folder).isDir()) {
        ShowMessage(this, MsgKind::Information, "The folder " + shown + " does not exist yet: Process makes it.");
        openFolderButton->setEnabled(false);
    } else if (!folderOpener_(QUrl::fromLocalFile(folder))) {
        ShowMessage(this, MsgKind::Warning, "Unable to open the folder " + shown + ".");
    }
}

}  // namespace tolv::gui
