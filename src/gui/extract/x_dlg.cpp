#include "gui/extract/x_dlg.h"

#include "extract/extraction_run.h"
#include "gui/app/message_box.h"
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

Tx_dlg::Tx_dlg(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setObjectName("x_dlg");
    setWindowTitle(" Extraction Processor");
    UseDialogFont(this);
    resize(548, 303);
    setMinimumSize(548, 259);

    auto* items = AddControl<QGroupBox>(this, nullptr, {8, 28, 161, 81}, "Extract These Items");
    b_xclip = AddControl<QCheckBox>(items, "b_xclip", {16, 24, 97, 17}, "Clips");
    b_xback = AddControl<QCheckBox>(items, "b_xback", {16, 48, 97, 17}, "Backgrounds");
    b_xclip->setChecked(true);
    b_xback->setChecked(true);
    connect(b_xclip, &QCheckBox::clicked, this, &Tx_dlg::SwitchClick);
    connect(b_xback, &QCheckBox::clicked, this, &Tx_dlg::SwitchClick);

    AddLabel(this, "Status", 184, 16);
    xlb = new TRichLog(this);
    xlb->setObjectName("xlb");
    xprogress = new QProgressBar(this);
    xprogress->setObjectName("xprogress");
    xprogress->setTextVisible(true);
    xprogress->setFormat("%v / %m");
    xprogress->setValue(0);
    xlb->SetProgressBar(xprogress);

    bProcess = AddControl<QPushButton>(this, "bProcess", {40, 136, 97, 25}, "Process");
    bProcess->setDefault(true);
    connect(bProcess, &QPushButton::clicked, this, &Tx_dlg::ExtractObject);
    bClose = AddButton(this, "&Close", 9, 264);
    bClose->setObjectName("bClose");
    connect(bClose, &QPushButton::clicked, this, &QDialog::accept);
    bHelp = AddHelpButton(this, {96, 264}, "topic90", "bHelp");
    LayOut();
}

void Tx_dlg::LayOut()
{
    // The log grows with the window; the progress bar stays under it and the
    // two buttons keep their distance to the bottom edge.
    constexpr int barHeight = 16;
    Place(xlb, 184, 32, width() - 184 - 13, height() - 32 - 11 - barHeight - 4);
    Place(xprogress, 184, height() - 11 - barHeight, width() - 184 - 13, barHeight);
    bClose->move(9, height() - 39);
    bHelp->move(96, height() - 39);
}

void Tx_dlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

void Tx_dlg::SetProject(Project* project)
{
    project_ = project;
    if (!project_)
        return;
    b_xclip->setChecked(project_->Clips);
    b_xback->setChecked(project_->Backgrnds);
}

int Tx_dlg::Open(Project& project)
{
    SetProject(&project);
    return exec();
}

void Tx_dlg::SwitchClick()
{
    if (!project_)
        return;
    project_->Clips = b_xclip->isChecked();
    project_->Backgrnds = b_xback->isChecked();
    project_->Modified = true;
}

void Tx_dlg::ExtractObject()
{
    if (!project_)
        return;
    xlb->Clear();
    bProcess->setEnabled(false);
    try {
        tolv::ExtractObject(*project_, {b_xclip->isChecked(), b_xback->isChecked()}, *xlb);
    } catch (const std::exception& error) {
        ShowError(this, QString::fromStdString(error.what()));
    }
    bProcess->setEnabled(true);
    emit RunFinished();
}

}  // namespace tolv::gui
