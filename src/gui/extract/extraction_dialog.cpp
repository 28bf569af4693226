#include "gui/extract/extraction_dialog.h"

#include "extract/extraction_run.h"
#include "gui/common/message_box.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/extract/rich_log.h"
#include "project/project.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>

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

ExtractionDialog::ExtractionDialog(QWidget* parent) : HelpDialog(parent, Qt::Tool)
{
    setObjectName("x_dlg");
    setWindowTitle(" Extraction Processor");
    UseDialogFont(this);
    resize(548, 303);
    setMinimumSize(548, 259);

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
    progress->setValue(0);
    log_->SetProgressBar(progress);

    processButton = AddControl<QPushButton>(this, "processButton", {40, 136, 97, 25}, "Process");
    processButton->setDefault(true);
    connect(processButton, &QPushButton::clicked, this, &ExtractionDialog::runExtraction);
    closeButton = AddButton(this, "&Close", 9, 264);
    closeButton->setObjectName("closeButton");
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    helpButton = AddHelpButton(this, this, {96, 264}, "topic90", "helpButton");
    LayOut();
}

void ExtractionDialog::LayOut()
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
    LayOut();
}

void ExtractionDialog::SetProject(Project* project)
{
    project_ = project;
    if (!project_)
        return;
    clipsCheck->setChecked(project_->Clips);
    backgroundsCheck->setChecked(project_->Backgrnds);
}

int ExtractionDialog::Open(Project& project)
{
    SetProject(&project);
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
    if (!project_)
        return;
    log_->Clear();
    processButton->setEnabled(false);
    try {
        tolv::ExtractObject(*project_, {clipsCheck->isChecked(), backgroundsCheck->isChecked()}, *log_);
    } catch (const std::exception& error) {
        ShowError(this, QString::fromStdString(error.what()));
    }
    processButton->setEnabled(true);
    emit runFinished();
}

}  // namespace tolv::gui
