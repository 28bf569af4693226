#include "gui/common/input_query.h"

#include <QInputDialog>

namespace tolv::gui {

namespace {

InputAnswerer& Answerer()
{
    static InputAnswerer answerer;
    return answerer;
}

}  // namespace

std::optional<QString> InputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& initial)
{
    if (Answerer())
        return Answerer()(caption, prompt, initial);
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void SetInputAnswerer(InputAnswerer answerer)
{
    Answerer() = std::move(answerer);
}

}  // namespace tolv::gui
