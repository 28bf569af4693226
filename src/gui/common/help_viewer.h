#pragma once

#include <QTextBrowser>

namespace tolv::gui {

// The program's help window: shows one topic page at a time with its links.
// It has no parent window, so closing a dialog or the main window's menus
// leaves it open.
class HelpViewer : public QTextBrowser {
    Q_OBJECT
public:
    HelpViewer();

    void showPage(const QString& pageFile);
};

}  // namespace tolv::gui
