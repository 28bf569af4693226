#pragma once

#include "document/edit_values.h"

#include <QToolBar>

#include <array>

class QSpinBox;

namespace tolv {
struct Region;
}

namespace tolv::gui {

// The current region's x, y, width and height as fields to type into; Enter
// in any of them asks for the four values as one edit.
class GeometryBar : public QToolBar {
    Q_OBJECT
public:
    explicit GeometryBar(QWidget* parent);

    // Shows the region's geometry; without a region, or while the layout is
    // locked, the fields rest.
    void showRegion(const Region* region, bool locked);
    RegionGeometry values() const;

signals:
    void geometryEntered(const tolv::RegionGeometry& geometry);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // x, y, width, height.
    std::array<QSpinBox*, 4> fields_{};
};

}  // namespace tolv::gui
