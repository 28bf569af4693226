#pragma once

#include "document/document.h"

#include <QDockWidget>

#include <functional>

class QLineEdit;
class QSortFilterProxyModel;
class QTreeView;

namespace tolv::gui {

class RegionListModel;

// The Regions panel: every region of the document in list order, with a
// filter by name. A click selects as a click on the canvas does (Shift or
// Ctrl adds to the selection), a double click opens the region's
// properties, the check box hides or shows it, and a drag moves it in the
// list. What the list shows selected is always the document's selection.
class RegionsPanel : public QDockWidget {
    Q_OBJECT
public:
    RegionsPanel(Document& document, std::function<void()> openProperties, QWidget* parent);

    QTreeView& list() { return *view_; }
    QLineEdit& filter() { return *filter_; }
    // The list line of the region at `position`, invalid when filtered out.
    QModelIndex lineOf(int position) const;

private:
    void pressed(const QModelIndex& index);
    void showSelection();

    Document& document_;
    std::function<void()> openProperties_;
    RegionListModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    QTreeView* view_ = nullptr;
    QLineEdit* filter_ = nullptr;
};

}  // namespace tolv::gui
