#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <utility>

class QColor;
class QDialog;
class QLabel;
class QPushButton;

namespace tolv::gui {

class HelpDialog;

// The dialogs keep the pixel layout of their design: a small font so that
// captions fit the given sizes, controls placed at fixed positions.
void UseDialogFont(QWidget* dialog);
// Places a widget at left, top with a size; a caption that needs more room
// than the design gave it (a wider font) widens it.
void Place(QWidget* widget, int left, int top, int width, int height);
// A control placed as the design has it, named with its system name (no
// name: nullptr); `args` are its constructor's arguments before the parent.
template <class W, class... Args>
W* AddControl(QWidget* parent, const char* name, const QRect& place, Args&&... args)
{
    auto* control = new W(std::forward<Args>(args)..., parent);
    if (name)
        control->setObjectName(name);
    Place(control, place.x(), place.y(), place.width(), place.height());
    return control;
}

// A label at left, top sized to its text; its accelerator focuses buddy.
QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top, QWidget* buddy = nullptr);
// A maroon note, as the dialogs show their hints.
QLabel* AddNote(QWidget* parent, const QString& text, int left, int top);
// Colours a label's text, as a note's or a refusal's, lightened as far as
// a dark palette needs.
void SetTextColour(QLabel* label, const QColor& colour);
// A 75 x 25 push button.
QPushButton* AddButton(QWidget* parent, const QString& text, int left, int top);
// OK (the default button, Enter) and Cancel (Escape) that close the dialog.
std::pair<QPushButton*, QPushButton*> AddOkCancel(QDialog* dialog, QWidget* parent, QPoint ok, QPoint cancel,
                                                  const char* okName = "OKBtn", const char* cancelName = "CancelBtn");
// "Help", asking `dialog` for a help topic.
QPushButton* AddHelpButton(HelpDialog* dialog, QWidget* parent, QPoint at, const QString& topic,
                           const char* name = "helpButton");

}  // namespace tolv::gui
