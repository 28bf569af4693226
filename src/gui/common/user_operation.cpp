#include "gui/common/user_operation.h"

#include "gui/common/message_box.h"
#include "platform/errors.h"
#include "project/out_of_memory.h"
#include "project/project_file.h"

#include <new>
#include <stdexcept>

namespace tolv::gui {

bool RunUserOperation(QWidget* parent, const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const NotAProjectError& error) {
        // The user picked the wrong file; nothing went wrong.
        ShowMessage(parent, MsgKind::Warning, QString::fromStdString(error.what()));
    } catch (const TolvError& error) {
        ShowError(parent, QString::fromStdString(error.what()));
    } catch (const std::bad_alloc&) {
        ShowError(parent, QString::fromUtf8(OutOfMemoryMessage));
    } catch (const std::length_error&) {
        ShowError(parent, QString::fromUtf8(OutOfMemoryMessage));
    }
    return false;
}

}  // namespace tolv::gui
