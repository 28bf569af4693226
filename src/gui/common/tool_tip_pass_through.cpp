#include "gui/common/tool_tip_pass_through.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tolv::gui {

ToolTipPassThrough::ToolTipPassThrough(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

ToolTipPassThrough::~ToolTipPassThrough()
{
    qApp->removeEventFilter(this);
}

bool ToolTipPassThrough::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && grabber_ && watched == grabber_) {
        // The release goes on to the grabber all the same.
        grabber_->releaseMouse();
        grabber_ = nullptr;
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::MouseButtonPress || !widget || widget->window()->windowType() != Qt::ToolTip)
        return false;
    const auto* press = static_cast<QMouseEvent*>(event);
    const QPointF global = press->globalPosition();
    widget->window()->hide();
    QWidget* below = QApplication::widgetAt(global.toPoint());
    if (!below)
        return true;
    grabber_ = below;
    below->grabMouse();
    QMouseEvent passed(QEvent::MouseButtonPress, below->mapFromGlobal(global), global, press->button(),
                       press->buttons(), press->modifiers());
    QApplication::sendEvent(below, &passed);
    return true;
}

}  // namespace tolv::gui
