#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>

namespace tolv::gui {

// Small pictures of frame files, made on the thread pool and kept, so that
// a project of many large frames shows its strip at once and fills it as
// the pictures come. A file that cannot be read gets no picture.
class ThumbnailCache : public QObject {
    Q_OBJECT
public:
    static constexpr int Width = 96;
    static constexpr int Height = 64;

    explicit ThumbnailCache(QObject* parent = nullptr);

    // The picture of the file, or a null image while it is made (then
    // `made` follows) or when the file cannot be read.
    QImage thumbnail(const QString& path);
    // The checkerboard of a frame that is missing.
    static QImage missing();
    void clear();

signals:
    void made(const QString& path);

private:
    void store(const QString& path, const QImage& picture);

    QHash<QString, QImage> pictures_;
    QSet<QString> pending_;
};

}  // namespace tolv::gui
