#pragma once

#include <QLabel>

namespace tolv::gui {

// A frame picture stretched to fill its panel (aspect ratio not kept).
class PreviewImage : public QLabel {
    Q_OBJECT
public:
    explicit PreviewImage(QWidget* parent = nullptr);

    // Shows the bitmap file; a file that does not exist or is no bitmap leaves
    // the previous picture. Returns whether the picture changed.
    bool loadFile(const QString& path);
    QString fileName() const { return fileName_; }

private:
    QString fileName_;
};

// The "Preview" caption and a sunken panel at `frame` holding a hidden
// picture that fills it.
PreviewImage* AddPreviewPanel(QWidget* parent, const QRect& frame);

}  // namespace tolv::gui
