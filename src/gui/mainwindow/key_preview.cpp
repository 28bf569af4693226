#include "gui/mainwindow/key_preview.h"

#include "gui/mainwindow/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tolv::gui {

namespace {

bool IsTab(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
}

}  // namespace

KeyPreview::KeyPreview(MainWindow& form) : QObject(&form), form_(form)
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
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &form_)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress)
        return IsTab(*key) && !key->modifiers().testFlag(Qt::AltModifier);
    // A held key repeats its presses and releases; only the last release counts.
    if (!key->isAutoRepeat())
        form_.onKeyReleased(*key);
    return true;
}

}  // namespace tolv::gui
