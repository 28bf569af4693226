// The caller's side of the Region Object Properties dialog and the handlers of
// its controls.
#include "gui/dialogs/region_properties_dialog.h"

#include "editor/worksheet_rules.h"
#include "extract/sheet_clips.h"
#include "extract/sheet_rows.h"
#include "gui/dialogs/colour_swatch.h"
#include "gui/dialogs/preview_image.h"
#include "gui/dialogs/sheet_group.h"
#include "gui/dialogs/spin_edit.h"
#include "gui/dialogs/worksheet_fill_dialog.h"
#include "gui/dialogs/worksheet_grid.h"
#include "platform/io/files.h"
#include "project/region.h"
#include "project/region_fields.h"
#include "project/storable_names.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>

namespace tolv::gui {

namespace {

QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}

// Each text-box option beside the region field it shows; a text-box field
// added to the region and not here stops the build.
constexpr auto TextBoxPairs = std::tuple{
    std::pair{&TextBoxOptions::title, &Region::Title}, std::pair{&TextBoxOptions::titleHeight, &Region::TitleHeight},
    std::pair{&TextBoxOptions::lineWidth, &Region::LineWidth}, std::pair{&TextBoxOptions::boxColour, &Region::BoxColor},
    std::pair{&TextBoxOptions::titleColour, &Region::TitleColor}};
static_assert(std::tuple_size_v<decltype(TextBoxPairs)> == TextBoxFieldCount(),
              "every text-box field of a region has its option in the dialog");

template <typename Visit>
void ForEachTextBoxPair(Visit visit)
{
    std::apply([&](const auto&... pair) { (visit(pair.first, pair.second), ...); }, TextBoxPairs);
}

TextBoxOptions TextBoxOptionsOf(const Region& region)
{
    TextBoxOptions options;
    ForEachTextBoxPair([&](auto option, auto field) { options.*option = region.*field; });
    return options;
}

void PutTextBoxOptions(const TextBoxOptions& options, Region& region)
{
    ForEachTextBoxPair([&](auto option, auto field) { region.*field = options.*option; });
}

}  // namespace

void RegionPropertiesDialog::setOverlaysRoot(const QString& folder)
{
    overlaysRoot_ = folder;
}

void RegionPropertiesDialog::clearEdits()
{
    worksheet->setWorksheet({});
}

void RegionPropertiesDialog::resetForNewRegion()
{
    setTypeIndex(0);
    visibleCheck->setChecked(true);
    nameEdit->setText("New Object");
    overlayEdit->clear();
    sheetGroup->load({});
}

void RegionPropertiesDialog::loadRegion(const Region& region)
{
    setTypeIndex(0);
    worksheet->setWorksheet({region.InputFrame, region.OutputFile});
    visibleCheck->setChecked(region.Visible);
    nameEdit->setText(ToQ(region.Name));
    overlayEdit->setText(ToQ(region.OVLName));
    setTypeIndex(int(region.RegionType));
    if (region.RegionType == RegionKind::TextBox)
        setTextBoxOptions(TextBoxOptionsOf(region));
    sheetGroup->load(region.Sheet);
}

void RegionPropertiesDialog::setFrames(const std::vector<std::string>& frameNames, const std::string& projectFolder,
                                       bool showPreview)
{
    projectFolder_ = projectFolder;
    frameNames_ = frameNames;
    frameList->clear();
    for (const std::string& name : frameNames)
        frameList->addItem(ToQ(name));
    previewCheck->setChecked(showPreview);
    if (frameList->count() > 0)
        frameList->setCurrentRow(0);
}

void RegionPropertiesDialog::setSheetSource(const Project& project, const Region& region)
{
    sheetPreviewer_ = std::make_unique<SheetPreviewer>(project);
    sheetRegion_ = std::make_unique<Region>(region);
    updateSheetPreview();
}

void RegionPropertiesDialog::storeRegion(Region& region)
{
    worksheet->commitEditor();
    region.Visible = visibleCheck->isChecked();
    region.RegionType = RegionKind(typeIndex());
    if (region.RegionType == RegionKind::TextBox)
        PutTextBoxOptions(takeTextBoxOptions(), region);
    region.Name = nameEdit->text().toStdString();
    region.OVLName = overlayEdit->text().toStdString();
    const WorksheetCells cells = worksheet->worksheet();
    region.InputFrame = cells.InputFrame;
    region.OutputFile = cells.OutputFile;
    // Another type keeps no sheet the run would pass over unseen.
    region.Sheet = makesSheet() ? sheetGroup->settings() : SheetSettings{};
}

bool RegionPropertiesDialog::showPreview() const
{
    return previewCheck->isChecked();
}

QString RegionPropertiesDialog::refusal() const
{
    return refusalNote->text();
}

void RegionPropertiesDialog::onWorksheetChanged()
{
    updateRefusal();
    updateSheetPreview();
}

// The names are refused as they are typed, before the project file would
// cut or bend them, and the sheet's name as the run would refuse it.
void RegionPropertiesDialog::updateRefusal()
{
    const WorksheetCells cells = worksheet->worksheet();
    std::optional<std::string> reason = UnstorableWorksheetReason(cells.InputFrame, cells.OutputFile);
    if (!reason && makesSheet())
        reason = SheetNameRefusal(sheetGroup->settings().File);
    refusalNote->setText(reason ? ToQ(*reason) : QString());
    okButton->setEnabled(!reason);
}

// The preview takes the worksheet and the sheet as they are shown, before OK.
void RegionPropertiesDialog::updateSheetPreview()
{
    if (!sheetPreviewer_ || !makesSheet()) {
        sheetGroup->clearPreview();
        return;
    }
    Region shown = *sheetRegion_;
    const WorksheetCells cells = worksheet->worksheet();
    shown.InputFrame = cells.InputFrame;
    shown.OutputFile = cells.OutputFile;
    shown.Sheet = sheetGroup->settings();
    sheetGroup->showPreview(sheetPreviewer_->preview(shown));
}

bool RegionPropertiesDialog::makesSheet() const
{
    return RegionKind(typeIndex()) == RegionKind::Clip && sheetGroup->isChecked();
}

void RegionPropertiesDialog::setTextBoxOptions(const TextBoxOptions& options)
{
    titleCheck->setChecked(options.title);
    titleHeightSpin->setValue(options.titleHeight);
    lineWidthSpin->setValue(options.lineWidth);
    boxColourSwatch->setFill(options.boxColour);
    titleColourSwatch->setFill(options.titleColour);
    // The dependent rules run as if the user had made the change, also when
    // a value was already shown.
    onTitleClicked(titleCheck->isChecked());
    onTitleHeightChanged();
    onLineWidthChanged();
}

TextBoxOptions RegionPropertiesDialog::takeTextBoxOptions()
{
    const TextBoxOptions options{titleCheck->isChecked(), titleHeightSpin->value(), lineWidthSpin->value(),
                                 boxColourSwatch->fill(), titleColourSwatch->fill()};
    titleColourSwatch->setFill(colors::Maroon);
    return options;
}

QString RegionPropertiesDialog::regionName() const
{
    return nameEdit->text();
}

void RegionPropertiesDialog::setRegionName(const QString& name)
{
    nameEdit->setText(name);
}

bool RegionPropertiesDialog::regionVisible() const
{
    return visibleCheck->isChecked();
}

void RegionPropertiesDialog::setRegionVisible(bool visible)
{
    visibleCheck->setChecked(visible);
}

int RegionPropertiesDialog::typeIndex() const
{
    return std::max(typeButtons->checkedId(), 0);
}

void RegionPropertiesDialog::setTypeIndex(int index)
{
    if (QAbstractButton* item = typeButtons->button(std::clamp(index, 0, 3)))
        item->setChecked(true);
}

QString RegionPropertiesDialog::overlayName() const
{
    return overlayEdit->text();
}

void RegionPropertiesDialog::setOverlayName(const QString& path)
{
    overlayEdit->setText(path);
}

QString RegionPropertiesDialog::cell(int row, int column) const
{
    return worksheet->cells(column, row - 1);
}

void RegionPropertiesDialog::setCell(int row, int column, const QString& text)
{
    worksheet->setCells(column, row - 1, text);
}

void RegionPropertiesDialog::onTypeClicked(int index)
{
    const bool textBox = index == 2;
    boxGroup->setVisible(!textBox);
    overlayEdit->setEnabled(index == 3);
    browseButton->setEnabled(index == 3);
    worksheet->showOutputColumn(index < 2);
    sheetGroup->setVisible(RegionKind(index) == RegionKind::Clip);
    updateRefusal();
    updateSheetPreview();
}

void RegionPropertiesDialog::onTitleClicked(bool checked)
{
    titleColourSwatch->setVisible(checked);
    titleHeightSpin->setEnabled(checked);
}

void RegionPropertiesDialog::onTitleHeightChanged()
{
    titleColourSwatch->resize(titleColourSwatch->width(), titleHeightSpin->value());
}

void RegionPropertiesDialog::onLineWidthChanged()
{
    boxColourSwatch->setPenWidth(lineWidthSpin->value());
    titleColourSwatch->setPenWidth(lineWidthSpin->value());
}

void RegionPropertiesDialog::onSwatchPressed(ColourSwatch* swatch)
{
    if (const std::optional<Color> chosen = chooseColour_(this, swatch->fill()))
        swatch->setFill(*chosen);
}

void RegionPropertiesDialog::onBrowse()
{
    if (const std::optional<QString> chosen = choosePicture_(this, overlaysRoot_, overlayEdit->text()))
        overlayEdit->setText(*chosen);
}

void RegionPropertiesDialog::onFrameChanged()
{
    if (!previewCheck->isChecked())
        return;
    preview->show();
    if (const QListWidgetItem* selected = frameList->currentItem())
        preview->loadFile(ToQ(JoinPath(projectFolder_, selected->text().toStdString())));
}

void RegionPropertiesDialog::onFrameClicked()
{
    onFrameChanged();
}

void RegionPropertiesDialog::onFrameDoubleClicked()
{
    const QListWidgetItem* selected = frameList->currentItem();
    if (!selected)
        return;
    const int row = FirstEmptyRow(worksheet->worksheet().InputFrame);
    if (row >= 0)
        worksheet->setCells(WorksheetGrid::InputColumn, row, selected->text());
}

// The fill goes into the grid only: the region changes when this dialog
// closes with OK, as for any worksheet edit.
void RegionPropertiesDialog::onFill()
{
    fillDialog->prepare(frameNames_, regionName().toStdString());
    if (fillDialog->exec() == QDialog::Accepted)
        worksheet->setWorksheet(fillDialog->fill());
}

void RegionPropertiesDialog::onPreviewClicked(bool checked)
{
    if (checked)
        onFrameChanged();
    else
        preview->hide();
}

void RegionPropertiesDialog::onActivated()
{
    worksheet->numberRows();
    onTypeClicked(typeIndex());
    // Every opening starts at the top of both lists, wherever the last one
    // left them.
    worksheet->startEditing();
    worksheet->scrollToTop();
    frameList->scrollToTop();
    nameEdit->setFocus();
    onFrameChanged();
}

void RegionPropertiesDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    onActivated();
}

void RegionPropertiesDialog::done(int result)
{
    worksheet->commitEditor();
    if (result == QDialog::Accepted && !refusal().isEmpty())
        return;
    QDialog::done(result);
    sheetPreviewer_.reset();
    sheetRegion_.reset();
}

}  // namespace tolv::gui
