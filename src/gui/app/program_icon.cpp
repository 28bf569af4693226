#include "gui/app/program_icon.h"

#include <QDir>

namespace tolv::gui {

namespace {

QIcon CompiledInIcon()
{
    QIcon icon;
    for (const QString& size : QDir(":/icons").entryList(QDir::Dirs))
        icon.addFile(":/icons/" + size + "/tolvane.png");
    return icon;
}

}  // namespace

QIcon ProgramIcon()
{
    return QIcon::fromTheme(DesktopName, CompiledInIcon());
}

}  // namespace tolv::gui
