#pragma once

#include "platform/image/color.h"

#include <QWidget>

#include <optional>

namespace tolv::gui {

// The platform's colour chooser preset with `initial`; nothing when cancelled.
std::optional<Color> ChooseColour(QWidget* parent, Color initial);

// A filled rectangle with a black outline: the colour swatches of the text-box
// options. A press of any mouse button on it reports MouseDown.
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatch(Color fill, QWidget* parent = nullptr);

    Color fill() const { return fill_; }
    void setFill(Color fill);
    int penWidth() const { return penWidth_; }
    void setPenWidth(int width);

signals:
    void mouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Color fill_;
    int penWidth_ = 1;
};

}  // namespace tolv::gui
