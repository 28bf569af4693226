#pragma once

#include "document/document.h"

#include <QAbstractTableModel>

namespace tolv::gui {

// The document's regions as the rows of a list, in list order: the name
// with the type's icon and a check box that shows or hides the region, and
// the number of worksheet rows in use. It follows the document's
// notification; what the user changes goes back as the document's edits
// (Hide and Show, Reorder), so the list never differs from the document.
class RegionListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, RowsColumn, ColumnCount };

    explicit RegionListModel(Document& document, QObject* parent = nullptr);
    ~RegionListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // A line dragged within the list moves its region to where it is dropped.
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    // The document's selection changed, or the lines it stands on.
    void selectionMoved();

private:
    void follow(const DocumentChange& change);
    const Region& regionAt(int row) const { return *document_.project().Regions[std::size_t(row)]; }

    Document& document_;
    int subscription_ = 0;
};

}  // namespace tolv::gui
