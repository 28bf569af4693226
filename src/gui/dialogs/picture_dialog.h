#pragma once

#include <QFileDialog>

#include <optional>

namespace tolv::gui {

class PreviewImage;

// The picture-open dialog `LoadPic`: a file chooser for "Windows Bitmap (BMP)"
// and PNG files with a thumbnail of the file under the pointer.
class OpenPictureDialog : public QFileDialog {
    Q_OBJECT
public:
    OpenPictureDialog(QWidget* parent, const QString& folder, const QString& fileName);

    // Runs it modally; the chosen file's full path, nothing when cancelled.
    static std::optional<QString> choose(QWidget* parent, const QString& folder, const QString& fileName);

private:
    void showThumbnail(const QString& path);

    PreviewImage* thumbnail_ = nullptr;
};

}  // namespace tolv::gui
