// The View menu: zoom, fit, the pixel grid, snapping and region names, and
// the pan of the view. The zoom keeps the frame point under the pointer (or
// under the middle of the view for the keys and menu items) in its place.
#include "gui/mainwindow/main_window.h"

#include "editor/view_mapping.h"
#include "gui/editor/frame_canvas.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>

namespace tolv::gui {

namespace {

QAction* AddViewItem(QMenu* menu, const char* name, const QString& text, const QList<QKeySequence>& keys = {})
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setAutoRepeat(false);
    return action;
}

QAction* AddToggle(QMenu* menu, const char* name, const QString& text)
{
    QAction* action = AddViewItem(menu, name, text);
    action->setCheckable(true);
    return action;
}

}  // namespace

void MainWindow::buildViewMenu()
{
    ui_.viewMenu = menuBar()->addMenu("&View");
    ui_.viewMenu->setObjectName("viewMenu");
    ui_.viewMenu->menuAction()->setObjectName("viewMenu");
    QMenu* menu = ui_.viewMenu;
    ui_.zoomInAction = AddViewItem(menu, "zoomInAction", "Zoom &In",
                                   {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ui_.zoomOutAction = AddViewItem(menu, "zoomOutAction", "Zoom &Out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    ui_.actualSizeAction = AddViewItem(menu, "actualSizeAction", "&Actual Size", {QKeySequence(Qt::CTRL | Qt::Key_0)});
    ui_.fitAction = AddViewItem(menu, "fitAction", "&Fit");
    menu->addSeparator();
    ui_.pixelGridAction = AddToggle(menu, "pixelGridAction", "Pixel &Grid");
    ui_.snapAction = AddToggle(menu, "snapAction", "&Snap to Edges");
    ui_.regionNamesAction = AddToggle(menu, "regionNamesAction", "Region &Names");
}

void MainWindow::connectView()
{
    connect(ui_.zoomInAction, &QAction::triggered, this, [this] { zoomBy(1, viewCentre()); });
    connect(ui_.zoomOutAction, &QAction::triggered, this, [this] { zoomBy(-1, viewCentre()); });
    connect(ui_.actualSizeAction, &QAction::triggered, this, [this] { zoomTo(1.0, viewCentre()); });
    connect(ui_.fitAction, &QAction::triggered, this, [this] { fitFrameToView(); });
    connect(ui_.pixelGridAction, &QAction::toggled, canvas_, &FrameCanvas::setPixelGrid);
    connect(ui_.snapAction, &QAction::toggled, canvas_, &FrameCanvas::setSnapping);
    connect(ui_.regionNamesAction, &QAction::toggled, canvas_, &FrameCanvas::setRegionNames);
    connect(canvas_, &FrameCanvas::zoomRequested, this, [this](int steps, const QPoint& canvasPos) {
        zoomBy(steps, canvas_->mapTo(ui_.canvasScroll->viewport(), canvasPos));
    });
    connect(canvas_, &FrameCanvas::panRequested, this, [this](const QPoint& delta) { panBy(delta); });
}

QPoint MainWindow::viewCentre() const
{
    return ui_.canvasScroll->viewport()->rect().center();
}

void MainWindow::zoomBy(int steps, const QPoint& viewportPos)
{
    zoomTo(StepZoom(canvas_->zoom(), steps), viewportPos);
}

void MainWindow::zoomTo(double scale, const QPoint& viewportPos)
{
    QScrollBar* h = ui_.canvasScroll->horizontalScrollBar();
    QScrollBar* v = ui_.canvasScroll->verticalScrollBar();
    // Where the canvas lies in the viewport says how far the view is scrolled.
    const Point scroll{-canvas_->pos().x(), -canvas_->pos().y()};
    const double old = canvas_->zoom();
    canvas_->setZoom(scale);
    const Point kept = PanToKeep({viewportPos.x(), viewportPos.y()}, scroll, old, scale);
    h->setValue(kept.x);
    v->setValue(kept.y);
}

void MainWindow::fitFrameToView()
{
    const QSize area = canvas_->frameArea();
    const QSize view = ui_.canvasScroll->viewport()->size();
    zoomTo(FitZoom(area.width(), area.height(), view.width(), view.height()), viewCentre());
}

// The frame follows the pointer, so the view moves the other way.
void MainWindow::panBy(const QPoint& delta)
{
    QScrollBar* h = ui_.canvasScroll->horizontalScrollBar();
    QScrollBar* v = ui_.canvasScroll->verticalScrollBar();
    h->setValue(h->value() - delta.x());
    v->setValue(v->value() - delta.y());
}

void MainWindow::setSpaceHeld(bool held)
{
    canvas_->setSpaceHeld(held);
}

}  // namespace tolv::gui
