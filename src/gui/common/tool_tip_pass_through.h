#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tolv::gui {

// Lets a press on a tool tip reach what lies beneath it. A tool tip shows
// over the canvas; pressing there would only close it, so a band or a drag
// started on it would be lost. The tip closes, the press goes to the widget
// under it, and that widget keeps the mouse until the release, as if it had
// been pressed itself.
class ToolTipPassThrough : public QObject {
    Q_OBJECT
public:
    explicit ToolTipPassThrough(QObject* parent);
    ~ToolTipPassThrough() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> grabber_;
};

}  // namespace tolv::gui
