#pragma once

#include <QObject>

#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;

namespace tolv::gui {

// The panels docked around the canvas: each has its switch under View >
// Panels, View > Classic Layout hides them all, and their arrangement is
// kept with the settings. A first start shows every panel.
class Workspace : public QObject {
    Q_OBJECT
public:
    Workspace(QMainWindow& window, QMenu& viewMenu);

    void add(QDockWidget* panel, Qt::DockWidgetArea area);
    QAction* classicLayoutAction() const { return classicLayout_; }
    // The arrangement as Settings::Panels keeps it; an empty or unreadable
    // one leaves the panels as they are.
    std::string arrangement() const;
    void arrange(const std::string& arrangement);
    bool anyShown() const;

private:
    void hideAll();

    QMainWindow& window_;
    QMenu* panelsMenu_ = nullptr;
    QAction* classicLayout_ = nullptr;
    std::vector<QDockWidget*> panels_;
};

}  // namespace tolv::gui
