#include "gui/common/tool_tip_pass_through.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

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
    if (event->type() != QEvent::Show)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->windowType() == Qt::ToolTip && widget->windowHandle())
        widget->windowHandle()->setFlag(Qt::WindowTransparentForInput);
    return false;
}

}  // namespace tolv::gui
