#include "gui/dialogs/xlist.h"

#include "gui/app/help_router.h"
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
    auto* panel = new QWidget(parent);
    Place(panel, 0, top, ClientWidth, height);
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
    cname = new QLineEdit(top);
    cname->setObjectName("cname");
    Place(cname, 8, 24, 265, 21);
    AddLabel(top, "Region &name", 8, 7, cname);
    cb_visible = new QCheckBox("Region is &Visible in Tolv editor", top);
    cb_visible->setObjectName("cb_visible");
    Place(cb_visible, 328, 25, 177, 17);

    rgType = new QGroupBox("Region Definition", top);
    rgType->setObjectName("rgType");
    Place(rgType, 8, 56, 289, 121);
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
    TextGroup = new QGroupBox("Text Box Options", parent);
    TextGroup->setObjectName("TextGroup");
    Place(TextGroup, 312, 56, 361, 121);
    bShp = new TShape(colors::White, TextGroup);
    bShp->setObjectName("bShp");
    Place(bShp, 8, 24, 105, 89);
    tShp = new TShape(colors::Maroon, TextGroup);
    tShp->setObjectName("tShp");
    Place(tShp, 8, 24, 105, 20);
    connect(bShp, &TShape::MouseDown, this, [this] { ShapeMouseDown(bShp); });
    connect(tShp, &TShape::MouseDown, this, [this] { ShapeMouseDown(tShp); });

    cb_title = new QCheckBox("&Display a title area", TextGroup);
    cb_title->setObjectName("cb_title");
    Place(cb_title, 120, 24, 180, 17);
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
    bname = new QLineEdit(bgGroup);
    bname->setObjectName("bname");
    Place(bname, 16, 40, 312, 21);
    AddLabel(bgGroup, "&Overlay this bitmap", 14, 23, bname);
    BrowseBtn = new QPushButton("...", bgGroup);
    BrowseBtn->setObjectName("BrowseBtn");
    Place(BrowseBtn, 328, 40, 25, 22);
    connect(BrowseBtn, &QPushButton::clicked, this, &Txlist::BrowseBtnClick);
}

void Txlist::BuildMiddlePanel()
{
    QWidget* middle = AddPanel(this, TopPanelHeight, ClientHeight - TopPanelHeight - BottomPanelHeight);
    auto* worksheet = new QGroupBox("Worksheet ", middle);
    worksheet->setObjectName("WorksheetGroup");
    Place(worksheet, 8, 8, 249, 241);
    AddLabel(worksheet, "Input frame", 65, 24);
    AddLabel(worksheet, "Output File", 142, 24);
    sgList = new TWorksheetGrid(worksheet);
    Place(sgList, 16, 40, 214, 193);

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

    AddLabel(middle, "Preview", 472, 16);
    auto* previewFrame = new QFrame(middle);
    previewFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Place(previewFrame, 472, 32, 198, 169);
    PreImage = new TPreviewImage(previewFrame);
    PreImage->setObjectName("PreImage");
    Place(PreImage, 2, 2, 194, 165);
    PreImage->hide();
    cb_preview = new QCheckBox("&Preview animation frame", middle);
    cb_preview->setObjectName("cb_preview");
    Place(cb_preview, 496, 208, 170, 17);
    connect(cb_preview, &QCheckBox::toggled, this, &Txlist::cb_previewClick);
}

void Txlist::BuildButtons()
{
    QWidget* bottom = AddPanel(this, ClientHeight - BottomPanelHeight, BottomPanelHeight);
    QPushButton* ok = AddButton(bottom, "OK", 16, 8);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* cancel = AddButton(bottom, "Cancel", 104, 8);
    cancel->setObjectName("CancelBtn");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton* help = AddButton(bottom, "Help", 192, 8);
    help->setObjectName("HelpBtn");
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic("topic80"); });
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
