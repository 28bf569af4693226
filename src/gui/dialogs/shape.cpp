#include "gui/dialogs/shape.h"

#include "gui/dialogs/qt_colour.h"

#include <QMouseEvent>
#include <QPainter>

namespace tolv::gui {

TShape::TShape(Color fill, QWidget* parent) : QWidget(parent), fill_(fill)
{
}

void TShape::SetFill(Color fill)
{
    fill_ = fill;
    update();
}

void TShape::SetPenWidth(int width)
{
    penWidth_ = width;
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    // The outline lies inside the swatch, so a wide pen narrows the fill
    // instead of being clipped at the edges.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(penWidth_, penWidth_, -penWidth_, -penWidth_), ToQColor(fill_));
}

void TShape::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit MouseDown();
}

}  // namespace tolv::gui
