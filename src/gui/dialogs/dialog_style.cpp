#include "gui/dialogs/dialog_style.h"

#include "gui/common/readable_colour.h"
#include "gui/dialogs/help_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace tolv::gui {

void UseDialogFont(QWidget* dialog)
{
    // Sans-serif faces with the narrow metrics the layout was drawn for; the
    // desktop's own face when none of them is installed.
    QFont font = dialog->font();
    font.setFamilies({"Tahoma", "Liberation Sans", "Arimo", "Arial", "Nimbus Sans", "Helvetica", font.family()});
    font.setPixelSize(11);
    dialog->setFont(font);
}

void Place(QWidget* widget, int left, int top, int width, int height)
{
    if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
        width = std::max(width, widget->sizeHint().width());
    widget->setGeometry(left, top, width, height);
}

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    if (buddy)
        label->setBuddy(buddy);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel* AddNote(QWidget* parent, const QString& text, int left, int top)
{
    QLabel* note = AddLabel(parent, text, left, top);
    SetTextColour(note, QColor(0x80, 0, 0));
    return note;
}

QPushButton* AddButton(QWidget* parent, const QString& text, int left, int top)
{
    auto* button = new QPushButton(text, parent);
    Place(button, left, top, 75, 25);
    return button;
}

void SetTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ReadableOn(colour, palette.color(label->backgroundRole())));
    label->setPalette(palette);
}

std::pair<QPushButton*, QPushButton*> AddOkCancel(QDialog* dialog, QWidget* parent, QPoint ok, QPoint cancel,
                                                  const char* okName, const char* cancelName)
{
    QPushButton* okButton = AddButton(parent, "OK", ok.x(), ok.y());
    okButton->setObjectName(okName);
    okButton->setDefault(true);
    QObject::connect(okButton, &QPushButton::clicked, dialog, &QDialog::accept);
    QPushButton* cancelButton = AddButton(parent, "Cancel", cancel.x(), cancel.y());
    cancelButton->setObjectName(cancelName);
    QObject::connect(cancelButton, &QPushButton::clicked, dialog, &QDialog::reject);
    return {okButton, cancelButton};
}

QPushButton* AddHelpButton(HelpDialog* dialog, QWidget* parent, QPoint at, const QString& topic, const char* name)
{
    QPushButton* help = AddButton(parent, "Help", at.x(), at.y());
    help->setObjectName(name);
    QObject::connect(help, &QPushButton::clicked, dialog, [dialog, topic] { emit dialog->helpRequested(topic); });
    return help;
}

}  // namespace tolv::gui
