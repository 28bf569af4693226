#pragma once

#include "document/document.h"

#include <QDockWidget>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace tolv::gui {

class PropertySpin;

// The Properties panel: the selected region's name, type, geometry,
// visibility, overlay file and text-box options, edited in place. An edit is
// made when a field is left or its value entered: one step, Region Object
// Properties OK for the region with that one field changed, or its geometry
// typed in as the geometry bar takes it. With several regions selected it
// shows what they share, leaves blank what differs and takes no edits; with
// none it rests. It follows the document's notification and reads the
// selected regions only.
class PropertiesPanel : public QDockWidget {
    Q_OBJECT
public:
    using ColourChooser = std::function<std::optional<Color>(QWidget* parent, Color initial)>;
    // The edits of the current region: a record to replace it with, and its
    // geometry typed in.
    struct Edits {
        std::function<void(Region)> setProperties;
        std::function<void(const RegionGeometry&)> setGeometry;
    };

    PropertiesPanel(Document& document, Edits edits, QWidget* parent);
    ~PropertiesPanel() override;

    // Test seam for the platform's colour chooser.
    void setColourChooser(ColourChooser chooser) { chooseColour_ = std::move(chooser); }

private:
    void buildFields(QWidget* body);
    void buildTextBoxFields(QWidget* body);
    void showSelected();
    template <typename Value>
    void commit(Value Region::*field, const Value& value);
    void commitGeometry(int Region::*field, int value);
    void chooseColour(Color Region::*field);

    Document& document_;
    Edits edits_;
    ColourChooser chooseColour_;
    int subscription_ = 0;
    // Set while the fields show the document, whose changes are no edits.
    bool showing_ = false;
    QLabel* placeholder_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* type_ = nullptr;
    // x, y, width, height.
    std::array<PropertySpin*, 4> geometry_{};
    QCheckBox* visible_ = nullptr;
    QLineEdit* overlay_ = nullptr;
    QCheckBox* title_ = nullptr;
    PropertySpin* titleHeight_ = nullptr;
    PropertySpin* lineWidth_ = nullptr;
    QToolButton* boxColour_ = nullptr;
    QToolButton* titleColour_ = nullptr;
};

}  // namespace tolv::gui
