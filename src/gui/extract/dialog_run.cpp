#include "gui/extract/dialog_run.h"

#include "gui/extract/rich_log.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QWindow>

namespace tolv::gui {

namespace {

bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

}  // namespace

DialogRun::DialogRun(RichLog& log, const QPushButton& stop) : log_(log), stop_(stop)
{
    QCoreApplication::instance()->installEventFilter(this);
    log_.setInputGated(true);
}

DialogRun::~DialogRun()
{
    // Input that arrived during the last row is still queued: let it meet the
    // filter now, before the buttons come alive again.
    QCoreApplication::processEvents();
    log_.setInputGated(false);
    QCoreApplication::instance()->removeEventFilter(this);
}

void DialogRun::logLine(const std::string& text, Color color)
{
    log_.logLine(text, color);
}

void DialogRun::progress(int framesDone, int framesToDo)
{
    log_.progress(framesDone, framesToDo);
}

void DialogRun::wrote(const OutputRecord& output)
{
    written_.push_back(output);
}

bool DialogRun::stopRequested()
{
    // A click made while the row's file was written counts for this row.
    QCoreApplication::processEvents();
    return stopRequested_;
}

bool DialogRun::eventFilter(QObject* watched, QEvent* event)
{
    // A window passes its input on to the widget under the mouse or with the
    // focus; that widget decides.
    if (!IsUserInput(event->type()) || qobject_cast<QWindow*>(watched))
        return false;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        requestStop();
    return watched != &stop_ || event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
}

}  // namespace tolv::gui
