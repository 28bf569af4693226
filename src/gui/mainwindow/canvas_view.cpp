#include "gui/mainwindow/canvas_view.h"

#include "editor/view_mapping.h"
#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/action_map.h"

#include <QAction>
#include <QToolButton>

#include <QScrollBar>

namespace tolv::gui {

CanvasView::CanvasView(Document& document, QWidget* parent) : QScrollArea(parent)
{
    setObjectName("canvasScroll");
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::CrossCursor);
    canvas_ = new FrameCanvas(document, this);
    setWidget(canvas_);
    canvas_->takeMarginPresses(viewport());
    connect(canvas_, &FrameCanvas::zoomRequested, this,
            [this](int steps, const QPoint& canvasPos) { zoomBy(steps, canvas_->mapTo(viewport(), canvasPos)); });
    connect(canvas_, &FrameCanvas::panRequested, this, [this](const QPoint& delta) { panBy(delta); });
}

void CanvasView::bindActions(const MainWindowControls& ui)
{
    connect(ui.zoomInAction, &QAction::triggered, this, [this] { zoomBy(1, viewCentre()); });
    connect(ui.zoomOutAction, &QAction::triggered, this, [this] { zoomBy(-1, viewCentre()); });
    connect(ui.actualSizeAction, &QAction::triggered, this, [this] { zoomTo(1.0, viewCentre()); });
    connect(ui.fitAction, &QAction::triggered, this, &CanvasView::fitFrameToView);
    connect(ui.pixelGridAction, &QAction::toggled, canvas_, &FrameCanvas::setPixelGrid);
    connect(ui.snapAction, &QAction::toggled, canvas_, &FrameCanvas::setSnapping);
    connect(ui.regionNamesAction, &QAction::toggled, canvas_, &FrameCanvas::setRegionNames);
    // The menu item and the tool button show one switch.
    connect(ui.showPaintAction, &QAction::triggered, this, [this, &ui] {
        canvas_->setShowPaintAll(!canvas_->showPaintAll());
        ui.showPaintButton->setChecked(canvas_->showPaintAll());
        ui.showPaintAction->setChecked(canvas_->showPaintAll());
    });
    connect(ui.showPaintButton, &QToolButton::clicked, this, [this, &ui] {
        canvas_->setShowPaintAll(ui.showPaintButton->isChecked());
        ui.showPaintAction->setChecked(canvas_->showPaintAll());
    });
}

QPoint CanvasView::viewCentre() const
{
    return viewport()->rect().center();
}

void CanvasView::zoomBy(int steps, const QPoint& viewportPos)
{
    zoomTo(StepZoom(canvas_->zoom(), steps), viewportPos);
}

void CanvasView::zoomTo(double scale, const QPoint& viewportPos)
{
    // Where the canvas lies in the viewport says how far the view is scrolled.
    const Point scroll{-canvas_->pos().x(), -canvas_->pos().y()};
    const double old = canvas_->zoom();
    canvas_->setZoom(scale);
    const Point kept = PanToKeep({viewportPos.x(), viewportPos.y()}, scroll, old, scale);
    horizontalScrollBar()->setValue(kept.x);
    verticalScrollBar()->setValue(kept.y);
}

void CanvasView::fitFrameToView()
{
    const QSize area = canvas_->frameArea();
    const QSize view = viewport()->size();
    zoomTo(FitZoom(area.width(), area.height(), view.width(), view.height()), viewCentre());
}

// The frame follows the pointer, so the view moves the other way.
void CanvasView::panBy(const QPoint& delta)
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
}

}  // namespace tolv::gui
