#include "gui/dialogs/spin_edit.h"

#include "editor/spin_value.h"

namespace tolv::gui {

SpinEdit::SpinEdit(int minimum, int maximum, int step, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setSingleStep(step);
    setAccelerated(false);
}

QValidator::State SpinEdit::validate(QString&, int&) const
{
    return QValidator::Acceptable;
}

int SpinEdit::valueFromText(const QString& text) const
{
    return SpinValue(text.toStdString(), minimum(), maximum());
}

}  // namespace tolv::gui
