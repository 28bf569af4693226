// The caller's side of the Region Object Properties dialog and the handlers of
// its controls.
#include "gui/dialogs/region_properties_dialog.h"

#include "editor/worksheet_rules.h"
#include "gui/dialogs/colour_swatch.h"
#include "gui/dialogs/preview_image.h"
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
constexpr auto TextBoxPairs = std::tuple{std::pair{&TextBoxOptions::title, &Region::Title},
                                         std::pair{&TextBoxOptions::titleHeight, &Region::TitleHeight},
                                         std::pair{&TextBoxOptions::lineWidth, &Region::LineWidth},
                                         std::pair{&TextBoxOptions::boxColour, &Region::BoxColor},
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

void RegionPropertiesDialog::SetOverlaysRoot(const QString& folder)
{
    overlaysRoot_ = folder;
}

void RegionPropertiesDialog::ClearEdits()
{
    worksheet->SetWorksheet({});
}

void RegionPropertiesDialog::ResetForNewRegion()
{
    SetTypeIndex(0);
    visibleCheck->setChecked(true);
    nameEdit->setText("New Object");
    overlayEdit->clear();
}

void RegionPropertiesDialog::LoadRegion(const Region& region)
{
    SetTypeIndex(0);
    worksheet->SetWorksheet({region.InputFrame, region.OutputFile});
    visibleCheck->setChecked(region.Visible);
    nameEdit->setText(ToQ(region.Name));
    overlayEdit->setText(ToQ(region.OVLName));
    SetTypeIndex(int(region.RegionType));
    if (region.RegionType == RegionKind::TextBox)
        SetTextBoxOptions(TextBoxOptionsOf(region));
}

void RegionPropertiesDialog::SetFrames(const std::vector<std::string>& frameNames, const std::string& projectFolder, bool showPreview)
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

void RegionPropertiesDialog::StoreRegion(Region& region)
{
    worksheet->CommitEditor();
    region.Visible = visibleCheck->isChecked();
    region.RegionType = RegionKind(TypeIndex());
    if (region.RegionType == RegionKind::TextBox)
        PutTextBoxOptions(TakeTextBoxOptions(), region);
    region.Name = nameEdit->text().toStdString();
    region.OVLName = overlayEdit->text().toStdString();
    const WorksheetCells cells = worksheet->Worksheet();
    region.InputFrame = cells.InputFrame;
    region.OutputFile = cells.OutputFile;
}

bool RegionPropertiesDialog::ShowPreview() const
{
    return previewCheck->isChecked();
}

QString RegionPropertiesDialog::Refusal() const
{
    return refusalNote->text();
}

// The names are refused as they are typed, before the project file would
// cut or bend them.
void RegionPropertiesDialog::onWorksheetChanged()
{
    const WorksheetCells cells = worksheet->Worksheet();
    const std::optional<std::string> reason = UnstorableWorksheetReason(cells.InputFrame, cells.OutputFile);
    refusalNote->setText(reason ? ToQ(*reason) : QString());
    okButton->setEnabled(!reason);
}

void RegionPropertiesDialog::SetTextBoxOptions(const TextBoxOptions& options)
{
    titleCheck->setChecked(options.title);
    titleHeightSpin->setValue(options.titleHeight);
    lineWidthSpin->setValue(options.lineWidth);
    boxColourSwatch->SetFill(options.boxColour);
    titleColourSwatch->SetFill(options.titleColour);
    // The dependent rules run as if the user had made the change, also when
    // a value was already shown.
    onTitleClicked(titleCheck->isChecked());
    onTitleHeightChanged();
    onLineWidthChanged();
}

TextBoxOptions RegionPropertiesDialog::TakeTextBoxOptions()
{
    const TextBoxOptions options{titleCheck->isChecked(), titleHeightSpin->value(), lineWidthSpin->value(), boxColourSwatch->Fill(),
                                 titleColourSwatch->Fill()};
    titleColourSwatch->SetFill(colors::Maroon);
    return options;
}

QString RegionPropertiesDialog::RegionName() const
{
    return nameEdit->text();
}

void RegionPropertiesDialog::SetRegionName(const QString& name)
{
    nameEdit->setText(name);
}

bool RegionPropertiesDialog::RegionVisible() const
{
    return visibleCheck->isChecked();
}

void RegionPropertiesDialog::SetRegionVisible(bool visible)
{
    visibleCheck->setChecked(visible);
}

int RegionPropertiesDialog::TypeIndex() const
{
    return std::max(typeButtons->checkedId(), 0);
}

void RegionPropertiesDialog::SetTypeIndex(int index)
{
    if (QAbstractButton* item = typeButtons->button(std::clamp(index, 0, 3)))
        item->setChecked(true);
}

QString RegionPropertiesDialog::OverlayName() const
{
    return overlayEdit->text();
}

void RegionPropertiesDialog::SetOverlayName(const QString& path)
{
    overlayEdit->setText(path);
}

QString RegionPropertiesDialog::Cell(int row, int column) const
{
    return worksheet->Cells(column, row - 1);
}

void RegionPropertiesDialog::SetCell(int row, int column, const QString& text)
{
    worksheet->SetCells(column, row - 1, text);
}

void RegionPropertiesDialog::onTypeClicked(int index)
{
    const bool textBox = index == 2;
    boxGroup->setVisible(!textBox);
    overlayEdit->setEnabled(index == 3);
    browseButton->setEnabled(index == 3);
    worksheet->ShowOutputColumn(index < 2);
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
    boxColourSwatch->SetPenWidth(lineWidthSpin->value());
    titleColourSwatch->SetPenWidth(lineWidthSpin->value());
}

void RegionPropertiesDialog::onSwatchPressed(ColourSwatch* swatch)
{
    if (const std::optional<Color> chosen = chooseColour_(this, swatch->Fill()))
        swatch->SetFill(*chosen);
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
        preview->LoadFile(ToQ(JoinPath(projectFolder_, selected->text().toStdString())));
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
    const int row = FirstEmptyRow(worksheet->Worksheet().InputFrame);
    if (row >= 0)
        worksheet->SetCells(WorksheetGrid::InputColumn, row, selected->text());
}

// The fill goes into the grid only: the region changes when this dialog
// closes with OK, as for any worksheet edit.
void RegionPropertiesDialog::onFill()
{
    fillDialog->Prepare(frameNames_, RegionName().toStdString());
    if (fillDialog->exec() == QDialog::Accepted)
        worksheet->SetWorksheet(fillDialog->Fill());
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
    worksheet->NumberRows();
    onTypeClicked(TypeIndex());
    // Every opening starts at the top of both lists, wherever the last one
    // left them.
    worksheet->StartEditing();
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
    worksheet->CommitEditor();
    if (result == QDialog::Accepted && !Refusal().isEmpty())
        return;
    QDialog::done(result);
}

}  // namespace tolv::gui
