#include "gui/app/help_router.h"

namespace tolv::gui {

void ShowHelpTopic(const QString&)
{
}

}  // namespace tolv::gui
