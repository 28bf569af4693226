#include "gui/panels/thumbnail_cache.h"

#include "editor/frame_display.h"
#include "gui/common/bitmap_image.h"
#include "platform/errors.h"
#include "platform/image/image_file.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

namespace tolv::gui {

namespace {

QImage Shrunk(const QImage& picture)
{
    return picture.scaled(ThumbnailCache::Width, ThumbnailCache::Height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

ThumbnailCache::ThumbnailCache(QObject* parent) : QObject(parent)
{}

QImage ThumbnailCache::thumbnail(const QString& path)
{
    if (const auto found = pictures_.constFind(path); found != pictures_.constEnd())
        return *found;
    if (pending_.contains(path))
        return {};
    pending_.insert(path);
    // The picture comes back through the application's event loop, where
    // the cache, if it is still there, takes it.
    QPointer<ThumbnailCache> self(this);
    QThreadPool::globalInstance()->start([self, path] {
        QImage picture;
        try {
            picture = Shrunk(ToQImage(LoadImageFile(path.toStdString())));
        } catch (const TolvError&) {
            // No picture: the strip shows the name alone.
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, path, picture] {
                if (self)
                    self->store(path, picture);
            },
            Qt::QueuedConnection);
    });
    return {};
}

QImage ThumbnailCache::missing()
{
    static const QImage checkerboard = Shrunk(ToQImage(CheckerboardDisplay(CheckerboardWidth, CheckerboardHeight)));
    return checkerboard;
}

void ThumbnailCache::clear()
{
    pictures_.clear();
    pending_.clear();
}

void ThumbnailCache::store(const QString& path, const QImage& picture)
{
    if (!pending_.remove(path))
        return;
    pictures_.insert(path, picture);
    emit made(path);
}

}  // namespace tolv::gui
