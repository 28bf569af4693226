#include "gui/dialogs/picture_dialog.h"

#include "gui/dialogs/preview_image.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

namespace tolv::gui {

namespace {

// "*.bmp *.BMP *.Bmp" for "bmp".
QString Spellings(const QString& extension)
{
    const QString capitalised = extension.left(1).toUpper() + extension.mid(1);
    return QString("*.%1 *.%2 *.%3").arg(extension, extension.toUpper(), capitalised);
}

}  // namespace

OpenPictureDialog::OpenPictureDialog(QWidget* parent, const QString& folder, const QString& fileName)
    : QFileDialog(parent)
{
    setObjectName("LoadPic");
    setWindowTitle("Open");
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    // File names are matched with their letter case here; the common spellings
    // are listed, and the lists are not shown. Both formats are offered first,
    // so an overlay of either kind shows without changing the filter.
    setOption(QFileDialog::HideNameFilterDetails);
    setNameFilters({"Pictures (BMP, PNG) (" + Spellings("bmp") + " " + Spellings("png") + ")",
                    "Windows Bitmap (BMP) (" + Spellings("bmp") + ")",
                    "Portable Network Graphics (PNG) (" + Spellings("png") + ")"});
    // The typed overlay path may name a file in another folder than the
    // overlays root; the chooser then starts where that file is.
    const QFileInfo preset(fileName);
    if (!fileName.isEmpty() && preset.isAbsolute() && preset.dir().exists())
        setDirectory(preset.absolutePath());
    else
        setDirectory(folder);
    if (!fileName.isEmpty())
        selectFile(preset.fileName());

    thumbnail_ = new PreviewImage(this);
    thumbnail_->setObjectName("Thumbnail");
    thumbnail_->setFixedSize(160, 120);
    thumbnail_->setFrameShape(QFrame::Panel);
    thumbnail_->setFrameShadow(QFrame::Sunken);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(thumbnail_, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
    connect(this, &QFileDialog::currentChanged, this, &OpenPictureDialog::showThumbnail);
    if (!fileName.isEmpty())
        showThumbnail(directory().filePath(preset.fileName()));
}

void OpenPictureDialog::showThumbnail(const QString& path)
{
    if (!thumbnail_->loadFile(path))
        thumbnail_->clear();
}

std::optional<QString> OpenPictureDialog::choose(QWidget* parent, const QString& folder, const QString& fileName)
{
    OpenPictureDialog dialog(parent, folder, fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

}  // namespace tolv::gui
