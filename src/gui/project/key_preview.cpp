#include "gui/project/key_preview.h"

#include "gui/project/main_form.h"

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

TKeyPreview::TKeyPreview(TMainForm& form) : QObject(&form), form_(form)
{
    qApp->installEventFilter(this);
}

TKeyPreview::~TKeyPreview()
{
    qApp->removeEventFilter(this);
}

bool TKeyPreview::eventFilter(QObject* watched, QEvent* event)
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
        form_.FormKeyUp(*key);
    return true;
}

}  // namespace tolv::gui
