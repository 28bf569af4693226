#include "gui/mainwindow/tool_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tolv::gui {

namespace {

constexpr int Side = 16;

// An eye: the region can be shown or hidden.
void DrawHidden(QPainter& p)
{
    QPainterPath lid;
    lid.moveTo(1, 8);
    lid.quadTo(8, 1, 15, 8);
    lid.quadTo(8, 15, 1, 8);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(lid);
    p.setBrush(QColor(30, 90, 200));
    p.drawEllipse(QPointF(8, 8), 2.6, 2.6);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(8, 8), 1.0, 1.0);
}

void DrawLock(QPainter& p, bool locked)
{
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(Qt::NoBrush);
    const QRectF shackle = locked ? QRectF(4.5, 1.5, 7, 9) : QRectF(8.5, 0.5, 7, 9);
    p.drawArc(shackle, 0, 180 * 16);
    p.drawLine(QPointF(shackle.right(), shackle.center().y()), QPointF(shackle.right(), 8));
    if (locked)
        p.drawLine(QPointF(shackle.left(), shackle.center().y()), QPointF(shackle.left(), 8));
    p.setPen(QPen(QColor(120, 80, 0), 1));
    p.setBrush(locked ? QColor(230, 180, 30) : QColor(200, 200, 200));
    p.drawRect(QRectF(2.5, 7.5, 10, 7));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(7.5, 10), QPointF(7.5, 12));
}

// Four arrows around a dot: the nudge step of the arrow keys.
void DrawNudge(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 110, 40));
    const QPolygonF up{{8, 0}, {11.5, 4}, {4.5, 4}};
    for (int quarter = 0; quarter < 4; ++quarter) {
        QTransform turn;
        turn.translate(8, 8).rotate(90.0 * quarter).translate(-8, -8);
        p.drawPolygon(turn.map(up));
    }
    p.setBrush(Qt::black);
    p.drawRect(QRectF(6, 6, 4, 4));
}

// Two stacked frames with a text box on the front one.
void DrawShowPaint(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(170, 200, 230));
    p.drawRect(QRectF(4.5, 0.5, 11, 9));
    p.drawRect(QRectF(0.5, 5.5, 11, 9));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 8.5, 7, 4));
    p.fillRect(QRectF(3, 9, 6, 1.5), QColor(220, 30, 30));
}

void DrawStep(QPainter& p, bool forward)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 60, 160));
    QPolygonF arrow{{4, 2}, {12, 8}, {4, 14}};
    QRectF bar(12, 2, 2, 12);
    if (!forward) {
        QTransform mirror;
        mirror.translate(16, 0).scale(-1, 1);
        arrow = mirror.map(arrow);
        bar = mirror.mapRect(bar);
    }
    p.drawPolygon(arrow);
    p.drawRect(bar);
}

}  // namespace

QIcon ToolGlyphIcon(ToolGlyph glyph)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case ToolGlyph::Hidden:
        DrawHidden(painter);
        break;
    case ToolGlyph::Unlocked:
    case ToolGlyph::Locked:
        DrawLock(painter, glyph == ToolGlyph::Locked);
        break;
    case ToolGlyph::Nudge:
        DrawNudge(painter);
        break;
    case ToolGlyph::ShowPaint:
        DrawShowPaint(painter);
        break;
    case ToolGlyph::Previous:
    case ToolGlyph::Next:
        DrawStep(painter, glyph == ToolGlyph::Next);
        break;
    }
    return QIcon(pixmap);
}

}  // namespace tolv::gui
