#include "gui/extract/info_dlg.h"

#include "extract/project_check.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/extract/rich_log.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace tolv::gui {

Tinfo_dlg::Tinfo_dlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("info_dlg");
    setWindowTitle("Results");
    UseDialogFont(this);
    setModal(false);
    resize(403, 263);

    memo1 = new TRichLog(this);
    memo1->setObjectName("memo1");
    memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* panel = new QWidget(this);
    panel->setFixedHeight(41);
    QPushButton* close = AddButton(panel, "&Close", 164, 8);
    close->setObjectName("bClose");
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(memo1);
    layout->addWidget(panel);
}

int Tinfo_dlg::RunCheck(const Project& project)
{
    memo1->Clear();
    show();
    raise();
    activateWindow();
    return CheckProject(project, *memo1);
}

}  // namespace tolv::gui
