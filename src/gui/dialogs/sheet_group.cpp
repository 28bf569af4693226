#include "gui/dialogs/sheet_group.h"

#include "extract/sheet_clips.h"
#include "gui/common/bitmap_image.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/dialogs/spin_edit.h"
#include "project/project.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace tolv::gui {

namespace {

// The picture's place in the group, right of the settings.
const QRect PicturePlace{318, 20, 340, 150};

SpinEdit* AddSpin(QWidget* parent, const char* name, const QRect& place, int minimum, int maximum)
{
    auto* spin = new SpinEdit(minimum, maximum, 1, parent);
    spin->setObjectName(name);
    Place(spin, place.x(), place.y(), place.width(), place.height());
    return spin;
}

QString PreviewCaption(const SheetPreview& preview)
{
    const QString size = QString("%1 x %2 pixels").arg(preview.image.width()).arg(preview.image.height());
    if (preview.shownFrames == preview.sheetFrames)
        return QString("%1, %2 frames").arg(size).arg(preview.shownFrames);
    return QString("%1, the first %2 of %3 frames").arg(size).arg(preview.shownFrames).arg(preview.sheetFrames);
}

}  // namespace

SheetGroup::SheetGroup(QWidget* parent) : QGroupBox("&Sprite sheet", parent)
{
    setObjectName("sheetGroup");
    setCheckable(true);
    buildLayoutControls();
    buildFrameControls();
    buildPreview();
    load({});
    connect(this, &QGroupBox::toggled, this, &SheetGroup::onToggled);
}

void SheetGroup::buildLayoutControls()
{
    fileEdit = AddControl<QLineEdit>(this, "sheetFileEdit", {80, 20, 200, 21});
    AddLabel(this, "Sheet f&ile", 8, 23, fileEdit);

    arrangementCombo = AddControl<QComboBox>(this, "sheetLayoutCombo", {80, 46, 90, 22});
    arrangementCombo->addItems({"Row", "Column", "Grid", "Packed"});
    AddLabel(this, "La&yout", 8, 50, arrangementCombo);
    columnsSpin = AddSpin(this, "sheetColumnsSpin", {230, 46, 50, 22}, 1, MaxFrames);
    AddLabel(this, "Col&umns", 180, 50, columnsSpin);

    paddingSpin = AddSpin(this, "sheetPaddingSpin", {80, 72, 50, 22}, 0, 256);
    AddLabel(this, "Paddin&g", 8, 76, paddingSpin);
    extrudeSpin = AddSpin(this, "sheetExtrudeSpin", {230, 72, 50, 22}, 0, 64);
    AddLabel(this, "&Extrusion", 180, 76, extrudeSpin);

    sizingCombo = AddControl<QComboBox>(this, "sheetSizeCombo", {80, 98, 110, 22});
    sizingCombo->addItems({"Free", "Power of two"});
    AddLabel(this, "Si&ze", 8, 102, sizingCombo);

    for (QComboBox* combo : {arrangementCombo, sizingCombo})
        connect(combo, &QComboBox::currentIndexChanged, this, &SheetGroup::onLayoutChanged);
    for (SpinEdit* spin : {columnsSpin, paddingSpin, extrudeSpin})
        connect(spin, &QSpinBox::valueChanged, this, &SheetGroup::settingsChanged);
    connect(fileEdit, &QLineEdit::textChanged, this, &SheetGroup::settingsChanged);
}

void SheetGroup::buildFrameControls()
{
    trimCheck = AddControl<QCheckBox>(this, "sheetTrimCheck", {8, 126, 90, 17}, "T&rim frames");
    sheetOnlyCheck = AddControl<QCheckBox>(this, "sheetOnlyCheck", {130, 126, 150, 17}, "S&heet only, no clip files");

    frameTimeSpin = AddSpin(this, "sheetFrameTimeSpin", {80, 148, 60, 22}, 0, 60000);
    AddLabel(this, "Frame ti&me", 8, 152, frameTimeSpin);
    AddNote(this, "ms, 0: the Animate delay", 146, 152);

    pivotCheck = AddControl<QCheckBox>(this, "sheetPivotCheck", {8, 178, 100, 17}, "&Custom pivot");
    pivotXSpin = AddSpin(this, "sheetPivotXSpin", {130, 176, 60, 22}, -32768, 32768);
    pivotYSpin = AddSpin(this, "sheetPivotYSpin", {220, 176, 60, 22}, -32768, 32768);
    AddLabel(this, "x", 120, 180, pivotXSpin);
    AddLabel(this, "y", 210, 180, pivotYSpin);
    connect(pivotCheck, &QCheckBox::toggled, this, [this](bool own) {
        pivotXSpin->setEnabled(own);
        pivotYSpin->setEnabled(own);
    });

    for (QCheckBox* check : {trimCheck, sheetOnlyCheck, pivotCheck})
        connect(check, &QCheckBox::toggled, this, &SheetGroup::settingsChanged);
    for (SpinEdit* spin : {frameTimeSpin, pivotXSpin, pivotYSpin})
        connect(spin, &QSpinBox::valueChanged, this, &SheetGroup::settingsChanged);
}

void SheetGroup::buildPreview()
{
    auto* panel = AddControl<QFrame>(this, nullptr, PicturePlace);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture = AddControl<QLabel>(panel, "sheetPicture", panel->contentsRect());
    picture->setAlignment(Qt::AlignCenter);
    picture->setWordWrap(true);
    caption = AddControl<QLabel>(this, "sheetCaption", {PicturePlace.x(), PicturePlace.bottom() + 6, 340, 17});
}

void SheetGroup::load(const SheetSettings& sheet)
{
    // One change at the end, not one for every control.
    const QSignalBlocker blocker(this);
    setChecked(sheet.enabled());
    fileEdit->setText(QString::fromStdString(sheet.File));
    const SheetLayout& layout = sheet.Layout;
    arrangementCombo->setCurrentIndex(int(layout.Arrangement));
    columnsSpin->setValue(layout.Columns);
    paddingSpin->setValue(layout.Padding);
    extrudeSpin->setValue(layout.Extrude);
    sizingCombo->setCurrentIndex(int(layout.Sizing));
    trimCheck->setChecked(layout.Trim);
    sheetOnlyCheck->setChecked(sheet.SheetOnly);
    frameTimeSpin->setValue(sheet.FrameTime);
    const SheetPivot pivot = sheet.Pivot.value_or(SheetPivot{});
    pivotCheck->setChecked(sheet.Pivot.has_value());
    pivotXSpin->setValue(pivot.X);
    pivotYSpin->setValue(pivot.Y);
    pivotXSpin->setEnabled(sheet.Pivot.has_value());
    pivotYSpin->setEnabled(sheet.Pivot.has_value());
    onLayoutChanged();
}

SheetSettings SheetGroup::settings() const
{
    if (!isChecked())
        return {};
    SheetSettings sheet;
    sheet.File = fileEdit->text().toStdString();
    sheet.Layout = {SheetArrangement(arrangementCombo->currentIndex()),
                    columnsSpin->value(),
                    paddingSpin->value(),
                    extrudeSpin->value(),
                    trimCheck->isChecked(),
                    SheetSizing(sizingCombo->currentIndex())};
    sheet.SheetOnly = sheetOnlyCheck->isChecked();
    sheet.FrameTime = frameTimeSpin->value();
    if (pivotCheck->isChecked())
        sheet.Pivot = SheetPivot{pivotXSpin->value(), pivotYSpin->value()};
    return sheet;
}

void SheetGroup::setDefaultName(const QString& regionName)
{
    defaultName_ = regionName;
}

void SheetGroup::showPreview(const SheetPreview& preview)
{
    if (!preview.problem.empty()) {
        clearPreview();
        picture->setText(QString::fromStdString(preview.problem));
        return;
    }
    const QPixmap sheet = QPixmap::fromImage(ToQImage(preview.image));
    const QSize room = picture->size();
    // Small sheets are shown at their own size, larger ones made to fit.
    picture->setPixmap(sheet.width() > room.width() || sheet.height() > room.height()
                           ? sheet.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                           : sheet);
    caption->setText(PreviewCaption(preview));
}

void SheetGroup::clearPreview()
{
    picture->clear();
    caption->clear();
}

void SheetGroup::onToggled(bool on)
{
    if (on && fileEdit->text().isEmpty())
        fileEdit->setText(defaultName_ + ".png");
    emit settingsChanged();
}

void SheetGroup::onLayoutChanged()
{
    columnsSpin->setEnabled(arrangementCombo->currentIndex() == int(SheetArrangement::Grid));
    emit settingsChanged();
}

}  // namespace tolv::gui
