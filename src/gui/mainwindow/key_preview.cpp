#include "gui/mainwindow/key_preview.h"

#include "gui/editor/frame_canvas.h"
#include "gui/mainwindow/region_commands.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace tolv::gui {

namespace {

bool IsTab(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
}

// The typed geometry and other text fields keep their keys, and so do the
// panels: arrows walk a list there and Space ticks a box.
bool KeepsKeys(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QLineEdit*>(widget)
            || qobject_cast<const QDockWidget*>(widget))
            return true;
    return false;
}

}  // namespace

bool KeyRepeats::pressRepeats(const QKeyEvent& key)
{
    const auto released = releasedAt_.find(key.key());
    const bool pairedWithRelease =
        key.timestamp() != 0 && released != releasedAt_.end() && key.timestamp() - released->second <= 1;
    if (key.isAutoRepeat() || pairedWithRelease)
        held_.insert(key.key());
    else
        held_.erase(key.key());
    return held_.count(key.key()) > 0;
}

bool KeyRepeats::releaseRepeats(const QKeyEvent& key)
{
    releasedAt_[key.key()] = key.timestamp();
    return key.isAutoRepeat() || held_.count(key.key()) > 0;
}

KeyPreview::KeyPreview(QWidget& window, RegionCommands& commands, FrameCanvas& canvas)
    : QObject(&window), window_(window), commands_(commands), canvas_(canvas)
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_ || KeepsKeys(widget))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        // Accepting the override keeps a held key's shortcut from firing again.
        if (!repeats_.pressRepeats(*key))
            return false;
        event->accept();
        return true;
    }
    if (type == QEvent::KeyPress) {
        // A held Space's repeats come as releases and presses: each press
        // holds it again.
        if (key->key() == Qt::Key_Space)
            canvas_.setSpaceHeld(true);
        if (repeats_.pressRepeats(*key))
            return true;
        return commands_.keyPressed(*key) || (IsTab(*key) && !key->modifiers().testFlag(Qt::AltModifier));
    }
    if (key->key() == Qt::Key_Space)
        canvas_.setSpaceHeld(false);
    if (!repeats_.releaseRepeats(*key))
        commands_.keyReleased(*key);
    return true;
}

}  // namespace tolv::gui
