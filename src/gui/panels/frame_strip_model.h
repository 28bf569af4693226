#pragma once

#include "document/document.h"

#include <QAbstractListModel>

namespace tolv::gui {

class ThumbnailCache;

// The project's frames in play order: the name, the picture (the
// checkerboard for a frame that is missing), and whether the current
// region's worksheet takes the frame (TakenRole). Follows the document.
class FrameStripModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int TakenRole = Qt::UserRole + 1;

    explicit FrameStripModel(Document& document, QObject* parent = nullptr);
    ~FrameStripModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void follow(const DocumentChange& change);
    void pictureMade(const QString& path);

    Document& document_;
    ThumbnailCache* thumbnails_ = nullptr;
    int subscription_ = 0;
};

}  // namespace tolv::gui
