#include "gui/panels/frame_strip_model.h"

#include "editor/frame_marks.h"
#include "gui/panels/thumbnail_cache.h"

namespace tolv::gui {

namespace {

bool Takes(const Region& region, const std::string& frame)
{
    for (int row = 0; row < WorksheetRows; ++row)
        if (SameNameIgnoringCase(region.InputFrame[row], frame))
            return true;
    return false;
}

}  // namespace

FrameStripModel::FrameStripModel(Document& document, QObject* parent)
    : QAbstractListModel(parent), document_(document), thumbnails_(new ThumbnailCache(this))
{
    subscription_ = document_.subscribe([this](const DocumentChange& change) { follow(change); });
    connect(thumbnails_, &ThumbnailCache::made, this, [this](const QString& path) { pictureMade(path); });
}

FrameStripModel::~FrameStripModel()
{
    document_.unsubscribe(subscription_);
}

int FrameStripModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : document_.project().FrameCount();
}

QVariant FrameStripModel::data(const QModelIndex& index, int role) const
{
    const Project& project = document_.project();
    if (!index.isValid() || index.row() >= project.FrameCount())
        return {};
    const int position = index.row() + 1;
    const std::string& name = project.FrameName(position);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(name);
    case Qt::DecorationRole: {
        if (project.FrameStatusOf(position) != FrameLoaded)
            return ThumbnailCache::missing();
        const QImage picture = thumbnails_->thumbnail(QString::fromStdString(project.FramePath(name)));
        return picture.isNull() ? QVariant() : QVariant(picture);
    }
    case TakenRole: {
        const Region* current = project.selection.current();
        return current != nullptr && Takes(*current, name);
    }
    default:
        return {};
    }
}

void FrameStripModel::follow(const DocumentChange& change)
{
    if (change.projectReplaced || change.frameListChanged) {
        beginResetModel();
        thumbnails_->clear();
        endResetModel();
        return;
    }
    if (change.selectionChanged || !change.changed.empty() || !change.added.empty() || !change.removed.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {TakenRole});
}

void FrameStripModel::pictureMade(const QString& path)
{
    const Project& project = document_.project();
    for (int row = 0; row < project.FrameCount(); ++row)
        if (QString::fromStdString(project.FramePath(project.FrameName(row + 1))) == path)
            emit dataChanged(index(row), index(row), {Qt::DecorationRole});
}

}  // namespace tolv::gui
