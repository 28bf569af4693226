#include "gui/dialogs/about_dialog.h"

#include "gui/dialogs/dialog_style.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tolv::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowCloseButtonHint)
{
    setObjectName("Dlg_About");
    setWindowTitle("Tolv - The Quillard");
    UseDialogFont(this);
    setFixedSize(183, 211);

    auto* heading = new QLabel("Tolv", this);
    heading->setObjectName("Heading");
    QFont arial("Arial");
    arial.setPixelSize(21);
    heading->setFont(arial);
    SetTextColour(heading, QColor(65, 103, 167));
    heading->move(15, 8);
    heading->adjustSize();

    auto* description = new QLabel("Extracts bitmaps from animation backgrounds.", this);
    description->setObjectName("Description");
    description->setWordWrap(true);
    Place(description, 15, 32, 151, 26);

    auto* version = new QLabel("Version " TOLV_VERSION, this);
    version->setObjectName("Version");
    Place(version, 15, 64, 151, 13);

    QPushButton* close = AddButton(this, "&Close", 54, 176);
    close->setObjectName("closeButton");
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    close->setDefault(true);
    close->setFocus();
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tolv::gui
