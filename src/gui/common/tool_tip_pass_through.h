#pragma once

#include <QObject>

namespace tolv::gui {

// Lets a press under a tool tip reach what lies beneath it. A tool tip shows
// over the canvas; pressing there would only close it, so a band started on
// it would be lost. Every tool tip window is made transparent for input as it
// shows; it still closes at the press, as tool tips do.
class ToolTipPassThrough : public QObject {
    Q_OBJECT
public:
    explicit ToolTipPassThrough(QObject* parent);
    ~ToolTipPassThrough() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tolv::gui
