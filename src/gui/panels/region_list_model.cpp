#include "gui/panels/region_list_model.h"

#include "gui/common/icon_set.h"
#include "project/worksheet_column.h"

#include <QMimeData>

namespace tolv::gui {

namespace {

constexpr const char* RegionRowMime = "application/x-tolvane-region-row";

int RowsInUse(const Region& region)
{
    int used = 0;
    for (int r = 0; r < WorksheetRows; ++r)
        used += region.rowInUse(r) ? 1 : 0;
    return used;
}

}  // namespace

RegionListModel::RegionListModel(Document& document, QObject* parent) : QAbstractTableModel(parent), document_(document)
{
    subscription_ = document_.subscribe([this](const DocumentChange& change) { follow(change); });
}

RegionListModel::~RegionListModel()
{
    document_.unsubscribe(subscription_);
}

int RegionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(document_.project().Regions.size());
}

int RegionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RegionListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Region& region = regionAt(index.row());
    if (index.column() == RowsColumn) {
        if (role == Qt::DisplayRole)
            return RowsInUse(region);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(region.Name);
    case Qt::DecorationRole:
        return RegionKindIcon(region.RegionType);
    case Qt::CheckStateRole:
        return region.Visible ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole:
        return QString::fromStdString(HintText(region));
    default:
        return {};
    }
}

QVariant RegionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == NameColumn ? QStringLiteral("Region") : QStringLiteral("Rows");
}

Qt::ItemFlags RegionListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (index.column() == NameColumn)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool RegionListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != NameColumn)
        return false;
    return document_.setRegionVisible(index.row(), value.toInt() == Qt::Checked);
}

Qt::DropActions RegionListModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList RegionListModel::mimeTypes() const
{
    return {RegionRowMime};
}

QMimeData* RegionListModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(RegionRowMime, QByteArray::number(indexes.first().row()));
    return data;
}

bool RegionListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int, const QModelIndex&) const
{
    return data && action == Qt::MoveAction && data->hasFormat(RegionRowMime);
}

// Dropped between lines (`row`) or on a line (`parent`): the region takes
// that place. The document's edit renews the list, so the view is told that
// nothing is left for it to remove.
bool RegionListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                   const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    bool known = false;
    const int from = data->data(RegionRowMime).toInt(&known);
    int to = row >= 0 ? row : parent.isValid() ? parent.row() : rowCount();
    // A line dropped below itself goes before the line it was dropped on.
    if (row >= 0 && to > from)
        --to;
    if (known)
        document_.moveRegion(from, std::min(to, rowCount() - 1));
    return false;
}

void RegionListModel::follow(const DocumentChange& change)
{
    if (change.projectReplaced || change.orderChanged || !change.added.empty() || !change.removed.empty()) {
        beginResetModel();
        endResetModel();
        emit selectionMoved();
        return;
    }
    const Selection& selection = document_.project().selection;
    for (const RegionChange& changed : change.changed) {
        const int row = selection.positionOf(*changed.region);
        if (row >= 0 && changed.aspect != RegionAspect::Geometry)
            emit dataChanged(index(row, NameColumn), index(row, RowsColumn));
    }
    if (change.selectionChanged)
        emit selectionMoved();
}

}  // namespace tolv::gui
