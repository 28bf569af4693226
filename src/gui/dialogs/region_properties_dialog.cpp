#include "gui/dialogs/region_properties_dialog.h"

#include "editor/shared_properties.h"
#include "extract/sheet_clips.h"
#include "gui/dialogs/colour_swatch.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/dialogs/picture_dialog.h"
#include "gui/dialogs/preview_image.h"
#include "gui/dialogs/sheet_group.h"
#include "gui/dialogs/spin_edit.h"
#include "gui/dialogs/worksheet_fill_dialog.h"
#include "gui/dialogs/worksheet_grid.h"
#include "project/region.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace tolv::gui {

namespace {

constexpr int TopPanelHeight = 230;
constexpr int MiddlePanelHeight = 258;
constexpr int BottomPanelHeight = 40;
constexpr int ClientWidth = 682;
constexpr int ClientHeight = TopPanelHeight + MiddlePanelHeight + BottomPanelHeight;
// The sprite sheet's column, right of the rest: a dialog taller than 528 would
// not fit the many screens 768 pixels high.
constexpr int SheetColumnWidth = 300;

QWidget* AddPanel(QWidget* parent, int top, int height)
{
    auto* panel = AddControl<QWidget>(parent, nullptr, {0, top, ClientWidth, height});
    return panel;
}

}  // namespace

RegionPropertiesDialog::RegionPropertiesDialog(QWidget* parent)
    : HelpDialog(parent), chooseColour_(ChooseColour), choosePicture_(OpenPictureDialog::choose)
{
    setObjectName("xlist");
    setWindowTitle("Region Object Properties");
    UseDialogFont(this);
    setFixedSize(ClientWidth + SheetColumnWidth, ClientHeight);
    buildTopPanel();
    buildMiddlePanel();
    buildSheetPanel();
    buildButtons();
    setTypeIndex(0);
    onTitleClicked(true);
    onTitleHeightChanged();
    onLineWidthChanged();
}

RegionPropertiesDialog::~RegionPropertiesDialog() = default;

void RegionPropertiesDialog::buildTopPanel()
{
    QWidget* top = AddPanel(this, 0, TopPanelHeight);
    nameEdit = AddControl<QLineEdit>(top, "nameEdit", {8, 24, 265, 21});
    AddLabel(top, "Region &name", 8, 7, nameEdit);
    visibleCheck = AddControl<QCheckBox>(top, "visibleCheck", {328, 25, 177, 17}, "Region is &Visible in Tolv editor");

    typeGroup = AddControl<QGroupBox>(top, "typeGroup", {8, 56, 289, 121}, "Region Definition");
    typeButtons = new QButtonGroup(this);
    const char* const items[] = {
        "&1: Create bitmap(s) using the output file name", "&2: Create background(s) using the output file name",
        "&3: Paint a text box in each frame listed", "&4: Merge a bitmap in each frame listed"};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(items[i], typeGroup);
        item->setObjectName(QString("typeGroup%1").arg(i + 1));
        Place(item, 8, 18 + i * 25, 275, 20);
        typeButtons->addButton(item, i);
    }
    connect(typeButtons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            onTypeClicked(id);
    });

    // boxGroup lies exactly on textBoxGroup and covers it while it is shown.
    buildTextGroup(top);
    buildBackgroundGroup(top);

    AddNote(top,
            "Types 1 and 2 use the output file names from worksheet to create bitmaps when Extract process is run.", 8,
            180);
    AddNote(top,
            "Type 1 will extract just the area defined by the region. Type 2 will extract the entire frame as a "
            "background.",
            8, 196);
    AddNote(top, "Types 3 and 4 draw on the source animation frame before the extracting any bitmaps.", 8, 212);
}

void RegionPropertiesDialog::buildTextGroup(QWidget* parent)
{
    textBoxGroup = AddControl<QGroupBox>(parent, "textBoxGroup", {312, 56, 361, 121}, "Text Box Options");
    boxColourSwatch = AddControl<ColourSwatch>(textBoxGroup, "boxColourSwatch", {8, 24, 105, 89}, colors::White);
    titleColourSwatch = AddControl<ColourSwatch>(textBoxGroup, "titleColourSwatch", {8, 24, 105, 20}, colors::Maroon);
    connect(boxColourSwatch, &ColourSwatch::mouseDown, this, [this] { onSwatchPressed(boxColourSwatch); });
    connect(titleColourSwatch, &ColourSwatch::mouseDown, this, [this] { onSwatchPressed(titleColourSwatch); });

    titleCheck = AddControl<QCheckBox>(textBoxGroup, "titleCheck", {120, 24, 180, 17}, "&Display a title area");
    titleCheck->setChecked(true);
    connect(titleCheck, &QCheckBox::toggled, this, &RegionPropertiesDialog::onTitleClicked);

    titleHeightSpin = new SpinEdit(MinTitleHeight, MaxTitleHeight, 1, textBoxGroup);
    titleHeightSpin->setObjectName("titleHeightSpin");
    titleHeightSpin->setValue(20);
    // Greyed like a button face while there is no title area.
    QPalette titlePalette = titleHeightSpin->palette();
    titlePalette.setColor(QPalette::Disabled, QPalette::Base, titlePalette.color(QPalette::Active, QPalette::Button));
    titleHeightSpin->setPalette(titlePalette);
    Place(titleHeightSpin, 192, 48, 57, 22);
    AddLabel(textBoxGroup, "&Title Height", 120, 52, titleHeightSpin);
    connect(titleHeightSpin, &QSpinBox::valueChanged, this, &RegionPropertiesDialog::onTitleHeightChanged);

    lineWidthSpin = new SpinEdit(MinLineWidth, MaxLineWidth, 1, textBoxGroup);
    lineWidthSpin->setObjectName("lineWidthSpin");
    lineWidthSpin->setValue(1);
    Place(lineWidthSpin, 192, 72, 57, 22);
    AddLabel(textBoxGroup, "&Line width", 120, 76, lineWidthSpin);
    connect(lineWidthSpin, &QSpinBox::valueChanged, this, &RegionPropertiesDialog::onLineWidthChanged);

    AddNote(textBoxGroup, "Click text box areas to change colors", 120, 101);
}

void RegionPropertiesDialog::buildBackgroundGroup(QWidget* parent)
{
    boxGroup = new QGroupBox("Background Extraction Options", parent);
    boxGroup->setObjectName("boxGroup");
    boxGroup->setAutoFillBackground(true);
    Place(boxGroup, 312, 56, 361, 121);
    overlayEdit = AddControl<QLineEdit>(boxGroup, "overlayEdit", {16, 40, 312, 21});
    AddLabel(boxGroup, "&Overlay this bitmap", 14, 23, overlayEdit);
    browseButton = AddControl<QPushButton>(boxGroup, "browseButton", {328, 40, 25, 22}, "...");
    connect(browseButton, &QPushButton::clicked, this, &RegionPropertiesDialog::onBrowse);
}

void RegionPropertiesDialog::buildMiddlePanel()
{
    QWidget* middle = AddPanel(this, TopPanelHeight, MiddlePanelHeight);
    auto* worksheetGroup = AddControl<QGroupBox>(middle, "WorksheetGroup", {8, 8, 249, 241}, "Worksheet ");
    AddLabel(worksheetGroup, "Input frame", 65, 24);
    AddLabel(worksheetGroup, "Output File", 142, 24);
    worksheet = AddControl<WorksheetGrid>(worksheetGroup, nullptr, {16, 40, 214, 161});
    buildWorksheetButtons(worksheetGroup);

    frameList = new QListWidget(middle);
    frameList->setObjectName("frameList");
    frameList->setToolTip("Drag and drop onto input frame column or double-click");
    frameList->setDragEnabled(true);
    frameList->setDragDropMode(QAbstractItemView::DragOnly);
    frameList->setDefaultDropAction(Qt::CopyAction);
    Place(frameList, 288, 32, 145, 217);
    AddLabel(middle, "&Animation frames", 288, 16, frameList);
    // Keyboard moves in the list preview like clicks do.
    connect(frameList, &QListWidget::itemClicked, this, &RegionPropertiesDialog::onFrameClicked);
    connect(frameList, &QListWidget::currentRowChanged, this, &RegionPropertiesDialog::onFrameClicked);
    connect(frameList, &QListWidget::itemDoubleClicked, this, &RegionPropertiesDialog::onFrameDoubleClicked);

    preview = AddPreviewPanel(middle, {472, 32, 198, 169});
    previewCheck = AddControl<QCheckBox>(middle, "previewCheck", {496, 208, 170, 17}, "&Preview animation frame");
    connect(previewCheck, &QCheckBox::toggled, this, &RegionPropertiesDialog::onPreviewClicked);
}

void RegionPropertiesDialog::buildWorksheetButtons(QWidget* group)
{
    fillButton = AddControl<QPushButton>(group, "fillButton", {16, 207, 52, 23}, "&Fill...");
    fillButton->setToolTip("Fill the worksheet from a range of frames and an output name template");
    connect(fillButton, &QPushButton::clicked, this, &RegionPropertiesDialog::onFill);
    fillDialog = new WorksheetFillDialog(this);
    int left = 72;
    for (QAction* action : worksheet->rowActions()) {
        auto* button = AddControl<QToolButton>(group, nullptr, {left, 207, 52, 23});
        button->setObjectName(action->objectName().replace("Action", "Button"));
        button->setDefaultAction(action);
        button->setFocusPolicy(Qt::StrongFocus);
        left += 54;
    }
}

void RegionPropertiesDialog::buildSheetPanel()
{
    sheetGroup =
        AddControl<SheetGroup>(this, nullptr, {ClientWidth, 8, SheetColumnWidth - 8, TopPanelHeight + MiddlePanelHeight});
    connect(sheetGroup, &SheetGroup::settingsChanged, this, [this] {
        updateRefusal();
        updateSheetPreview();
    });
    connect(nameEdit, &QLineEdit::textChanged, sheetGroup, &SheetGroup::setDefaultName);
}

void RegionPropertiesDialog::buildButtons()
{
    QWidget* bottom = AddPanel(this, ClientHeight - BottomPanelHeight, BottomPanelHeight);
    okButton = AddOkCancel(this, bottom, {16, 8}, {104, 8}).first;
    AddHelpButton(this, bottom, {192, 8}, "topic80");
    refusalNote = AddControl<QLabel>(bottom, "refusalNote", {280, 2, ClientWidth - 288, BottomPanelHeight - 4});
    refusalNote->setWordWrap(true);
    SetTextColour(refusalNote, Qt::red);
    connect(worksheet, &WorksheetGrid::cellsChanged, this, &RegionPropertiesDialog::onWorksheetChanged);
}

void RegionPropertiesDialog::setColourChooser(ColourChooser chooser)
{
    chooseColour_ = std::move(chooser);
}

void RegionPropertiesDialog::setPictureChooser(PictureChooser chooser)
{
    choosePicture_ = std::move(chooser);
}

}  // namespace tolv::gui
