#include "gui/dialogs/xlist.h"

#include "gui/dialogs/dialog_style.h"
#include "gui/dialogs/picture_dialog.h"
#include "gui/dialogs/preview_image.h"
#include "gui/dialogs/qt_colour.h"
#include "gui/dialogs/shape.h"
#include "gui/dialogs/spin_edit.h"
#include "gui/dialogs/worksheet_grid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace tolv::gui {

namespace {

constexpr int TopPanelHeight = 230;
constexpr int BottomPanelHeight = 40;
constexpr int ClientWidth = 682;
constexpr int ClientHeight = 528;

QWidget* AddPanel(QWidget* parent, int top, int height)
{
    auto* panel = AddControl<QWidget>(parent, nullptr, {0, top, ClientWidth, height});
    return panel;
}

std::optional<Color> ChooseColourWithDialog(QWidget* parent, Color initial)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return FromQColor(chosen);
}

}  // namespace

Txlist::Txlist(QWidget* parent)
    : QDialog(parent), chooseColour_(ChooseColourWithDialog), choosePicture_(TOpenPictureDialog::Choose)
{
    setObjectName("xlist");
    setWindowTitle("Region Object Properties");
    UseDialogFont(this);
    setFixedSize(ClientWidth, ClientHeight);
    BuildTopPanel();
    BuildMiddlePanel();
    BuildButtons();
    SetTypeIndex(0);
    cb_titleClick(true);
    se_titleChange();
    se_lineChange();
}

Txlist::~Txlist() = default;

void Txlist::BuildTopPanel()
{
    QWidget* top = AddPanel(this, 0, TopPanelHeight);
    cname = AddControl<QLineEdit>(top, "cname", {8, 24, 265, 21});
    AddLabel(top, "Region &name", 8, 7, cname);
    cb_visible = AddControl<QCheckBox>(top, "cb_visible", {328, 25, 177, 17}, "Region is &Visible in Tolv editor");

    rgType = AddControl<QGroupBox>(top, "rgType", {8, 56, 289, 121}, "Region Definition");
    typeButtons = new QButtonGroup(this);
    const char* const items[] = {
        "&1: Create bitmap(s) using the output file name", "&2: Create background(s) using the output file name",
        "&3: Paint a text box in each frame listed", "&4: Merge a bitmap in each frame listed"};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(items[i], rgType);
        item->setObjectName(QString("rgType%1").arg(i + 1));
        Place(item, 8, 18 + i * 25, 275, 20);
        typeButtons->addButton(item, i);
    }
    connect(typeButtons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            rgTypeClick(id);
    });

    // bgGroup lies exactly on TextGroup and covers it while it is shown.
    BuildTextGroup(top);
    BuildBackgroundGroup(top);

    AddNote(top, "Types 1 and 2 use the output file names from worksheet to create bitmaps when Extract process is run.",
            8, 180);
    AddNote(top, "Type 1 will extract just the area defined by the region. Type 2 will extract the entire frame as a "
                 "background.",
            8, 196);
    AddNote(top, "Types 3 and 4 draw on the source animation frame before the extracting any bitmaps.", 8, 212);
}

void Txlist::BuildTextGroup(QWidget* parent)
{
    TextGroup = AddControl<QGroupBox>(parent, "TextGroup", {312, 56, 361, 121}, "Text Box Options");
    bShp = AddControl<TShape>(TextGroup, "bShp", {8, 24, 105, 89}, colors::White);
    tShp = AddControl<TShape>(TextGroup, "tShp", {8, 24, 105, 20}, colors::Maroon);
    connect(bShp, &TShape::MouseDown, this, [this] { ShapeMouseDown(bShp); });
    connect(tShp, &TShape::MouseDown, this, [this] { ShapeMouseDown(tShp); });

    cb_title = AddControl<QCheckBox>(TextGroup, "cb_title", {120, 24, 180, 17}, "&Display a title area");
    cb_title->setChecked(true);
    connect(cb_title, &QCheckBox::toggled, this, &Txlist::cb_titleClick);

    se_title = new TSpinEdit(10, 40, 1, TextGroup);
    se_title->setObjectName("se_title");
    se_title->setValue(20);
    // Greyed like a button face while there is no title area.
    QPalette titlePalette = se_title->palette();
    titlePalette.setColor(QPalette::Disabled, QPalette::Base, titlePalette.color(QPalette::Active, QPalette::Button));
    se_title->setPalette(titlePalette);
    Place(se_title, 192, 48, 57, 22);
    AddLabel(TextGroup, "&Title Height", 120, 52, se_title);
    connect(se_title, &QSpinBox::valueChanged, this, &Txlist::se_titleChange);

    se_line = new TSpinEdit(1, 5, 1, TextGroup);
    se_line->setObjectName("se_line");
    se_line->setValue(1);
    Place(se_line, 192, 72, 57, 22);
    AddLabel(TextGroup, "&Line width", 120, 76, se_line);
    connect(se_line, &QSpinBox::valueChanged, this, &Txlist::se_lineChange);

    AddNote(TextGroup, "Click text box areas to change colors", 120, 101);
}

void Txlist::BuildBackgroundGroup(QWidget* parent)
{
    bgGroup = new QGroupBox("Background Extraction Options", parent);
    bgGroup->setObjectName("bgGroup");
    bgGroup->setAutoFillBackground(true);
    Place(bgGroup, 312, 56, 361, 121);
    bname = AddControl<QLineEdit>(bgGroup, "bname", {16, 40, 312, 21});
    AddLabel(bgGroup, "&Overlay this bitmap", 14, 23, bname);
    BrowseBtn = AddControl<QPushButton>(bgGroup, "BrowseBtn", {328, 40, 25, 22}, "...");
    connect(BrowseBtn, &QPushButton::clicked, this, &Txlist::BrowseBtnClick);
}

void Txlist::BuildMiddlePanel()
{
    QWidget* middle = AddPanel(this, TopPanelHeight, ClientHeight - TopPanelHeight - BottomPanelHeight);
    auto* worksheet = AddControl<QGroupBox>(middle, "WorksheetGroup", {8, 8, 249, 241}, "Worksheet ");
    AddLabel(worksheet, "Input frame", 65, 24);
    AddLabel(worksheet, "Output File", 142, 24);
    sgList = AddControl<TWorksheetGrid>(worksheet, nullptr, {16, 40, 214, 193});

    Flist = new QListWidget(middle);
    Flist->setObjectName("Flist");
    Flist->setToolTip("Drag and drop onto input frame column or double-click");
    Flist->setDragEnabled(true);
    Flist->setDragDropMode(QAbstractItemView::DragOnly);
    Flist->setDefaultDropAction(Qt::CopyAction);
    Place(Flist, 288, 32, 145, 217);
    AddLabel(middle, "&Animation frames", 288, 16, Flist);
    // Keyboard moves in the list preview like clicks do.
    connect(Flist, &QListWidget::itemClicked, this, &Txlist::FlistClick);
    connect(Flist, &QListWidget::currentRowChanged, this, &Txlist::FlistClick);
    connect(Flist, &QListWidget::itemDoubleClicked, this, &Txlist::FlistDblClick);

    PreImage = AddPreviewPanel(middle, {472, 32, 198, 169});
    cb_preview = AddControl<QCheckBox>(middle, "cb_preview", {496, 208, 170, 17}, "&Preview animation frame");
    connect(cb_preview, &QCheckBox::toggled, this, &Txlist::cb_previewClick);
}

void Txlist::BuildButtons()
{
    QWidget* bottom = AddPanel(this, ClientHeight - BottomPanelHeight, BottomPanelHeight);
    AddOkCancel(this, bottom, {16, 8}, {104, 8});
    AddHelpButton(bottom, {192, 8}, "topic80");
}

void Txlist::SetColourChooser(ColourChooser chooser)
{
    chooseColour_ = std::move(chooser);
}

void Txlist::SetPictureChooser(PictureChooser chooser)
{
    choosePicture_ = std::move(chooser);
}

}  // namespace tolv::gui
