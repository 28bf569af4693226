#include "gui/app/user_operation.h"

#include "gui/app/message_box.h"
#include "platform/errors.h"

#include <new>

namespace tolv::gui {

bool RunUserOperation(QWidget* parent, const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const TolvError& error) {
        ShowError(parent, QString::fromStdString(error.what()));
    } catch (const std::bad_alloc&) {
        ShowError(parent, QStringLiteral("Out of memory"));
    }
    return false;
}

}  // namespace tolv::gui
