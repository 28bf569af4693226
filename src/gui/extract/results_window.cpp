#include "gui/extract/results_window.h"

#include "extract/project_check.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/extract/rich_log.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace tolv::gui {

ResultsWindow::ResultsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("info_dlg");
    setWindowTitle("Results");
    UseDialogFont(this);
    setModal(false);
    resize(403, 263);

    log_ = new RichLog(this);
    log_->setObjectName("log_");
    log_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* panel = new QWidget(this);
    panel->setFixedHeight(41);
    QPushButton* close = AddButton(panel, "&Close", 164, 8);
    close->setObjectName("closeButton");
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(log_);
    layout->addWidget(panel);
}

int ResultsWindow::runCheck(const Project& project)
{
    log_->clearLines();
    show();
    raise();
    activateWindow();
    return CheckProject(project, *log_);
}

}  // namespace tolv::gui
