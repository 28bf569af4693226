#include "gui/panels/frames_panel.h"

#include "gui/panels/frame_strip_model.h"
#include "gui/panels/thumbnail_cache.h"

#include <QGuiApplication>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace tolv::gui {

namespace {

constexpr int MarkHeight = 4;

// The picture, the name under it and the mark.
QSize TileSize(const QFontMetrics& metrics)
{
    return {ThumbnailCache::Width + 12, ThumbnailCache::Height + metrics.height() + MarkHeight + 12};
}

// A frame's tile: the picture and name as usual, and a bar along its foot
// when the current region's worksheet takes the frame.
class FrameTileDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.data(FrameStripModel::TakenRole).toBool()) {
            const QRect bar(option.rect.left() + 2, option.rect.bottom() - MarkHeight, option.rect.width() - 4,
                            MarkHeight);
            painter->fillRect(bar, option.palette.color(QPalette::Link));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return TileSize(option.fontMetrics);
    }
};

}  // namespace

FramesPanel::FramesPanel(Document& document, std::function<void(int)> showFrame, std::function<void(int)> toggleFrame,
                         QWidget* parent)
    : QDockWidget("Frames", parent), document_(document), showFrame_(std::move(showFrame)),
      toggleFrame_(std::move(toggleFrame))
{
    setObjectName("framesPanel");
    model_ = new FrameStripModel(document_, this);
    view_ = new QListView(this);
    view_->setObjectName("frameStrip");
    view_->setModel(model_);
    view_->setViewMode(QListView::IconMode);
    view_->setFlow(QListView::LeftToRight);
    view_->setWrapping(false);
    view_->setMovement(QListView::Static);
    view_->setUniformItemSizes(true);
    view_->setIconSize(QSize(ThumbnailCache::Width, ThumbnailCache::Height));
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setItemDelegate(new FrameTileDelegate(view_));
    // One row of tiles and the scroll bar under it: the strip takes no
    // height from the canvas that it cannot fill.
    const int tile = TileSize(view_->fontMetrics()).height();
    view_->setFixedHeight(tile + view_->horizontalScrollBar()->sizeHint().height() + 2 * view_->frameWidth() + 4);
    setWidget(view_);
    connect(view_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) { clicked(index.row() + 1); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { followShownFrame(); });
    followShownFrame();
}

void FramesPanel::clicked(int position)
{
    if (QGuiApplication::keyboardModifiers().testFlag(Qt::AltModifier))
        toggleFrame_(position);
    else
        showFrame_(position);
    followShownFrame();
}

void FramesPanel::followShownFrame()
{
    const int shown = document_.project().CurrentFrame;
    const QModelIndex tile = model_->index(shown - 1);
    view_->setCurrentIndex(tile);
    if (tile.isValid())
        view_->scrollTo(tile);
}

}  // namespace tolv::gui
