#pragma once

#include <QSpinBox>

namespace tolv::gui {

// A spin edit that, like a plain edit, takes any typed text: text that is not
// a whole number reads as the minimum, and the range is enforced on the value
// at once and on the text when the field loses the focus.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int step, QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
};

}  // namespace tolv::gui
