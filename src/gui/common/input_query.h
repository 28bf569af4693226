#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace tolv::gui {

// A modal one-line input box. Returns the text on OK, nothing on Cancel.
std::optional<QString> InputQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                  const QString& initial);

// Tests install an answerer that gets the caption, prompt and initial text
// instead of a box being shown; an empty answerer restores the real box.
using InputAnswerer =
    std::function<std::optional<QString>(const QString& caption, const QString& prompt, const QString& initial)>;
void SetInputAnswerer(InputAnswerer answerer);

}  // namespace tolv::gui
