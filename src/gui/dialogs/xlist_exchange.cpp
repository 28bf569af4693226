// The caller's side of the Region Object Properties dialog and the handlers of
// its controls.
#include "gui/dialogs/xlist.h"

#include "editor/worksheet_rules.h"
#include "gui/dialogs/preview_image.h"
#include "gui/dialogs/shape.h"
#include "gui/dialogs/spin_edit.h"
#include "gui/dialogs/worksheet_grid.h"
#include "platform/files.h"
#include "project/region.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace tolv::gui {

namespace {

QString ToQ(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

void Txlist::SetOverlaysRoot(const QString& folder)
{
    overlaysRoot_ = folder;
}

void Txlist::ClearEdits()
{
    for (int row = 0; row < TWorksheetGrid::Rows; ++row) {
        sgList->SetCells(TWorksheetGrid::InputColumn, row, QString());
        sgList->SetCells(TWorksheetGrid::OutputColumn, row, QString());
    }
}

void Txlist::ResetForNewRegion()
{
    SetTypeIndex(0);
    cb_visible->setChecked(true);
    cname->setText("New Object");
    bname->clear();
}

void Txlist::LoadRegion(const Region& region, int frameCount)
{
    SetTypeIndex(0);
    const int rows = std::clamp(frameCount, 0, TWorksheetGrid::Rows);
    for (int row = 0; row < rows; ++row) {
        sgList->SetCells(TWorksheetGrid::InputColumn, row, ToQ(region.InputFrame[row]));
        sgList->SetCells(TWorksheetGrid::OutputColumn, row, ToQ(region.OutputFile[row]));
    }
    cb_visible->setChecked(region.Visible);
    cname->setText(ToQ(region.Name));
    bname->setText(ToQ(region.OVLName));
    SetTypeIndex(int(region.RegionType));
    if (region.RegionType == RegionKind::TextBox)
        SetTextBoxOptions({region.Title, region.TitleHeight, region.LineWidth, region.BoxColor, region.TitleColor});
}

void Txlist::SetFrames(const std::vector<std::string>& frameNames, const std::string& projectFolder, bool showPreview)
{
    projectFolder_ = projectFolder;
    Flist->clear();
    for (const std::string& name : frameNames)
        Flist->addItem(ToQ(name));
    cb_preview->setChecked(showPreview);
    if (Flist->count() > 0)
        Flist->setCurrentRow(0);
}

void Txlist::StoreRegion(Region& region)
{
    sgList->CommitEditor();
    region.Visible = cb_visible->isChecked();
    region.RegionType = RegionKind(TypeIndex());
    if (region.RegionType == RegionKind::TextBox) {
        const TextBoxOptions options = GetTextBoxOptions();
        region.Title = options.title;
        region.TitleHeight = options.titleHeight;
        region.LineWidth = options.lineWidth;
        region.BoxColor = options.boxColour;
        region.TitleColor = options.titleColour;
    }
    region.Name = cname->text().toStdString();
    region.OVLName = bname->text().toStdString();
    for (int row = 0; row < WorksheetRows; ++row) {
        region.InputFrame[row] = sgList->Cells(TWorksheetGrid::InputColumn, row).toStdString();
        region.OutputFile[row] = sgList->Cells(TWorksheetGrid::OutputColumn, row).toStdString();
    }
}

bool Txlist::ShowPreview() const
{
    return cb_preview->isChecked();
}

void Txlist::SetTextBoxOptions(const TextBoxOptions& options)
{
    cb_title->setChecked(options.title);
    se_title->setValue(options.titleHeight);
    se_line->setValue(options.lineWidth);
    bShp->SetFill(options.boxColour);
    tShp->SetFill(options.titleColour);
    // The dependent rules run as if the user had made the change, also when
    // a value was already shown.
    cb_titleClick(cb_title->isChecked());
    se_titleChange();
    se_lineChange();
}

TextBoxOptions Txlist::GetTextBoxOptions()
{
    const TextBoxOptions options{cb_title->isChecked(), se_title->value(), se_line->value(), bShp->Fill(),
                                 tShp->Fill()};
    tShp->SetFill(colors::Maroon);
    return options;
}

QString Txlist::RegionName() const
{
    return cname->text();
}

void Txlist::SetRegionName(const QString& name)
{
    cname->setText(name);
}

bool Txlist::RegionVisible() const
{
    return cb_visible->isChecked();
}

void Txlist::SetRegionVisible(bool visible)
{
    cb_visible->setChecked(visible);
}

int Txlist::TypeIndex() const
{
    return std::max(typeButtons->checkedId(), 0);
}

void Txlist::SetTypeIndex(int index)
{
    if (QAbstractButton* item = typeButtons->button(std::clamp(index, 0, 3)))
        item->setChecked(true);
}

QString Txlist::OverlayName() const
{
    return bname->text();
}

void Txlist::SetOverlayName(const QString& path)
{
    bname->setText(path);
}

QString Txlist::Cell(int row, int column) const
{
    return sgList->Cells(column, row - 1);
}

void Txlist::SetCell(int row, int column, const QString& text)
{
    sgList->SetCells(column, row - 1, text);
}

void Txlist::rgTypeClick(int index)
{
    const bool textBox = index == 2;
    bgGroup->setVisible(!textBox);
    bname->setEnabled(index == 3);
    BrowseBtn->setEnabled(index == 3);
    sgList->ShowOutputColumn(index < 2);
}

void Txlist::cb_titleClick(bool checked)
{
    tShp->setVisible(checked);
    se_title->setEnabled(checked);
}

void Txlist::se_titleChange()
{
    tShp->resize(tShp->width(), se_title->value());
}

void Txlist::se_lineChange()
{
    bShp->SetPenWidth(se_line->value());
    tShp->SetPenWidth(se_line->value());
}

void Txlist::ShapeMouseDown(TShape* swatch)
{
    if (const std::optional<Color> chosen = chooseColour_(this, swatch->Fill()))
        swatch->SetFill(*chosen);
}

void Txlist::BrowseBtnClick()
{
    if (const std::optional<QString> chosen = choosePicture_(this, overlaysRoot_, bname->text()))
        bname->setText(*chosen);
}

void Txlist::FlistChange()
{
    if (!cb_preview->isChecked())
        return;
    PreImage->show();
    if (const QListWidgetItem* selected = Flist->currentItem())
        PreImage->LoadFile(ToQ(JoinPath(projectFolder_, selected->text().toStdString())));
}

void Txlist::FlistClick()
{
    FlistChange();
}

void Txlist::FlistDblClick()
{
    const QListWidgetItem* selected = Flist->currentItem();
    if (!selected)
        return;
    std::vector<std::string> inputs;
    for (int row = 0; row < TWorksheetGrid::Rows; ++row)
        inputs.push_back(sgList->Cells(TWorksheetGrid::InputColumn, row).toStdString());
    const int row = FirstEmptyRow(inputs);
    if (row >= 0)
        sgList->SetCells(TWorksheetGrid::InputColumn, row, selected->text());
}

void Txlist::cb_previewClick(bool checked)
{
    if (checked)
        FlistChange();
    else
        PreImage->hide();
}

void Txlist::FormActivate()
{
    sgList->NumberRows();
    rgTypeClick(TypeIndex());
    if (!sgList->currentIndex().isValid())
        sgList->StartEditing();
    cname->setFocus();
    FlistChange();
}

void Txlist::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void Txlist::done(int result)
{
    sgList->CommitEditor();
    QDialog::done(result);
}

}  // namespace tolv::gui
