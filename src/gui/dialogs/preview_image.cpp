#include "gui/dialogs/preview_image.h"

#include <QFileInfo>
#include <QImage>
#include <QPixmap>

namespace tolv::gui {

TPreviewImage::TPreviewImage(QWidget* parent) : QLabel(parent)
{
    setScaledContents(true);
}

bool TPreviewImage::LoadFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QImage image(path, "BMP");
    if (image.isNull())
        return false;
    setPixmap(QPixmap::fromImage(image));
    fileName_ = path;
    return true;
}

}  // namespace tolv::gui
