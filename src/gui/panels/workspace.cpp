#include "gui/panels/workspace.h"

#include <algorithm>

#include <QAction>
#include <QByteArray>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>

namespace tolv::gui {

namespace {

// Saved arrangements of another layout of panels are not taken up.
constexpr int ArrangementVersion = 1;

}  // namespace

Workspace::Workspace(QMainWindow& window, QMenu& viewMenu) : QObject(&window), window_(window)
{
    viewMenu.addSeparator();
    panelsMenu_ = viewMenu.addMenu("&Panels");
    panelsMenu_->setObjectName("panelsMenu");
    panelsMenu_->menuAction()->setObjectName("panelsMenu");
    classicLayout_ = viewMenu.addAction("&Classic Layout");
    classicLayout_->setObjectName("classicLayoutAction");
    connect(classicLayout_, &QAction::triggered, this, [this] { hideAll(); });
}

void Workspace::add(QDockWidget* panel, Qt::DockWidgetArea area)
{
    window_.addDockWidget(area, panel);
    panel->toggleViewAction()->setObjectName(panel->objectName() + "Action");
    panelsMenu_->addAction(panel->toggleViewAction());
    panels_.push_back(panel);
}

std::string Workspace::arrangement() const
{
    return window_.saveState(ArrangementVersion).toBase64().toStdString();
}

void Workspace::arrange(const std::string& arrangement)
{
    if (!arrangement.empty())
        window_.restoreState(QByteArray::fromBase64(QByteArray::fromStdString(arrangement)), ArrangementVersion);
}

bool Workspace::anyShown() const
{
    return std::any_of(panels_.begin(), panels_.end(), [](const QDockWidget* panel) { return !panel->isHidden(); });
}

void Workspace::hideAll()
{
    for (QDockWidget* panel : panels_)
        panel->hide();
}

}  // namespace tolv::gui
