#include "gui/dialogs/preview_image.h"

#include "gui/common/bitmap_image.h"
#include "gui/dialogs/dialog_style.h"
#include "platform/errors.h"
#include "platform/image/bitmap.h"
#include "platform/image/image_file.h"

#include <QFileInfo>
#include <QPixmap>

namespace tolv::gui {

PreviewImage::PreviewImage(QWidget* parent) : QLabel(parent)
{
    setScaledContents(true);
}

bool PreviewImage::loadFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    try {
        setPixmap(QPixmap::fromImage(ToQImage(LoadImageFile(path.toStdString()))));
    } catch (const TolvError&) {
        // A preview reports nothing: a file that is no bitmap keeps the last picture.
        return false;
    }
    fileName_ = path;
    return true;
}

PreviewImage* AddPreviewPanel(QWidget* parent, const QRect& frame)
{
    AddLabel(parent, "Preview", frame.left(), frame.top() - 16);
    auto* panel = AddControl<QFrame>(parent, nullptr, frame);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* image = AddControl<PreviewImage>(panel, "preview", panel->contentsRect());
    image->hide();
    return image;
}

}  // namespace tolv::gui
