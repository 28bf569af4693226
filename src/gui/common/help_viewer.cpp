#include "gui/common/help_viewer.h"

#include <QUrl>

namespace tolv::gui {

HelpViewer::HelpViewer()
{
    setObjectName("HelpViewer");
    setWindowTitle("Tolvane Help");
    // Closing the main window ends the program even while help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setOpenExternalLinks(true);
    resize(640, 560);
}

void HelpViewer::showPage(const QString& pageFile)
{
    setSource(QUrl::fromLocalFile(pageFile));
    show();
    raise();
    activateWindow();
}

}  // namespace tolv::gui
