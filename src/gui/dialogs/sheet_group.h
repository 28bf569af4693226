#pragma once

#include "sheet/sheet_settings.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace tolv {
struct SheetPreview;
}

namespace tolv::gui {

class SpinEdit;

// The "Sprite sheet" group of Region Object Properties: the settings of a
// clip region's sheet, checked when the region has one, and a small picture
// of the sheet they make.
class SheetGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit SheetGroup(QWidget* parent = nullptr);

    // Shows the settings, unchecked with the defaults for a region without a sheet.
    void load(const SheetSettings& sheet);
    // The settings shown; no sheet while unchecked.
    SheetSettings settings() const;
    // Names the sheet after the region when it is switched on without a name.
    void setDefaultName(const QString& regionName);

    // The sheet's picture and size, or the reason there is none.
    void showPreview(const SheetPreview& preview);
    void clearPreview();

signals:
    void settingsChanged();

private:
    void buildLayoutControls();
    void buildFrameControls();
    void buildPreview();
    void onToggled(bool on);
    void onLayoutChanged();

    QLineEdit* fileEdit = nullptr;
    QComboBox* arrangementCombo = nullptr;
    SpinEdit* columnsSpin = nullptr;
    SpinEdit* paddingSpin = nullptr;
    SpinEdit* extrudeSpin = nullptr;
    QComboBox* sizingCombo = nullptr;
    QCheckBox* trimCheck = nullptr;
    QCheckBox* sheetOnlyCheck = nullptr;
    SpinEdit* frameTimeSpin = nullptr;
    QCheckBox* pivotCheck = nullptr;
    SpinEdit* pivotXSpin = nullptr;
    SpinEdit* pivotYSpin = nullptr;
    QLabel* picture = nullptr;
    QLabel* caption = nullptr;

    QString defaultName_;
};

}  // namespace tolv::gui
