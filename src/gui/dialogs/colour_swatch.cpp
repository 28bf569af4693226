#include "gui/dialogs/colour_swatch.h"

#include "gui/common/qt_colour.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

namespace tolv::gui {

std::optional<Color> ChooseColour(QWidget* parent, Color initial)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return FromQColor(chosen);
}

ColourSwatch::ColourSwatch(Color fill, QWidget* parent) : QWidget(parent), fill_(fill)
{}

void ColourSwatch::setFill(Color fill)
{
    fill_ = fill;
    update();
}

void ColourSwatch::setPenWidth(int width)
{
    penWidth_ = width;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*)
{
    // The outline lies inside the swatch, so a wide pen narrows the fill
    // instead of being clipped at the edges.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(penWidth_, penWidth_, -penWidth_, -penWidth_), ToQColor(fill_));
}

void ColourSwatch::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseDown();
}

}  // namespace tolv::gui
