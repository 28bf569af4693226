#include "gui/mainwindow/geometry_bar.h"

#include "editor/shared_properties.h"
#include "project/region.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>

namespace tolv::gui {

GeometryBar::GeometryBar(QWidget* parent) : QToolBar("geometry", parent)
{
    setObjectName("geometryBar");
    setMovable(false);
    setFloatable(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    const char* names[] = {"xField", "yField", "widthField", "heightField"};
    const char* captions[] = {" x ", " y ", " w ", " h "};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        addWidget(new QLabel(captions[i], this));
        auto* field = new QSpinBox(this);
        field->setObjectName(names[i]);
        field->setRange(i < 2 ? -GeometryFieldLimit : 1, GeometryFieldLimit);
        field->setKeyboardTracking(false);
        field->setFixedWidth(72);
        field->installEventFilter(this);
        addWidget(field);
        fields_[i] = field;
    }
    showRegion(nullptr, false);
}

void GeometryBar::showRegion(const Region* region, bool locked)
{
    const int values[] = {region ? region->Left : 0, region ? region->Top : 0, region ? region->Width : 1,
                          region ? region->Height : 1};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setValue(values[i]);
        fields_[i]->setEnabled(region && !locked);
    }
}

RegionGeometry GeometryBar::values() const
{
    return {fields_[0]->value(), fields_[1]->value(), fields_[2]->value(), fields_[3]->value()};
}

bool GeometryBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (QSpinBox* field : fields_)
                field->interpretText();
            emit geometryEntered(values());
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

}  // namespace tolv::gui
