#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace tolv::gui {

// The dialogs keep the pixel layout of their design: a small font so that
// captions fit the given sizes, controls placed at fixed positions.
void UseDialogFont(QWidget* dialog);
// Places a widget at left, top with a size; a caption that needs more room
// than the design gave it (a wider font) widens it.
void Place(QWidget* widget, int left, int top, int width, int height);
// A label at left, top sized to its text; its accelerator focuses buddy.
QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top, QWidget* buddy = nullptr);
// A maroon note, as the dialogs show their hints.
QLabel* AddNote(QWidget* parent, const QString& text, int left, int top);
// A 75 x 25 push button.
QPushButton* AddButton(QWidget* parent, const QString& text, int left, int top);

}  // namespace tolv::gui
