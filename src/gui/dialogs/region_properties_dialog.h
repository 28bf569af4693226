#pragma once

#include "platform/image/color.h"

#include "gui/dialogs/help_dialog.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tolv {
struct Project;
struct Region;
class SheetPreviewer;
}  // namespace tolv

namespace tolv::gui {

class PreviewImage;
class ColourSwatch;
class SheetGroup;
class SpinEdit;
class WorksheetFillDialog;
class WorksheetGrid;

// The five text-box values that the dialog shows in "Text Box Options".
struct TextBoxOptions {
    bool title = true;
    int titleHeight = 20;
    int lineWidth = 1;
    Color boxColour = colors::White;
    Color titleColour = colors::Maroon;
    bool operator==(const TextBoxOptions&) const = default;
};

// The "Region Object Properties" dialog: edits one region's name, visibility,
// type, text-box options, overlay bitmap, worksheet and sprite sheet. It never touches a
// region itself: the caller fills it, runs exec() and reads it back on OK.
// Created once and kept, so the text-box options carry over between openings;
// everything else is reset by the caller at every opening.
class RegionPropertiesDialog : public HelpDialog {
    Q_OBJECT
public:
    // Opens the colour chooser preset with a colour; nothing when cancelled.
    using ColourChooser = std::function<std::optional<Color>(QWidget* parent, Color initial)>;
    // Opens the picture dialog in a folder with a preset file name; the chosen
    // file's full path, nothing when cancelled.
    using PictureChooser =
        std::function<std::optional<QString>(QWidget* parent, const QString& folder, const QString& fileName)>;

    explicit RegionPropertiesDialog(QWidget* parent = nullptr);
    ~RegionPropertiesDialog() override;

    // Caller-side operations, in the order the canvas uses them.
    void setOverlaysRoot(const QString& folder);
    void clearEdits();
    void resetForNewRegion();
    // Shows an existing region (after ClearEdits): type 1 first, then all 50
    // rows of its worksheet (also rows past the frame list, which OK stores
    // as they are), visibility, name, overlay path, its type and, for a text
    // box, its text-box options.
    void loadRegion(const Region& region);
    // Fills the frame list, selects its first entry and sets the preview box.
    void setFrames(const std::vector<std::string>& frameNames, const std::string& projectFolder, bool showPreview);
    // The project whose frames the sheet's preview cuts at the region's place,
    // until the dialog closes; without it the preview stays empty.
    // ASSUMPTION: the project does not change while the dialog is open.
    void setSheetSource(const Project& project, const Region& region);
    // After OK: visibility, type, text-box options (text box only), name and
    // overlay path as typed, all 50 worksheet rows (also a column out of view)
    // and the sprite sheet (clip regions only, the one type that makes one).
    void storeRegion(Region& region);
    // Read after OK and after Cancel into the project's ShowPreview.
    bool showPreview() const;
    // Why the worksheet cannot be stored as it is, shown in red while OK
    // is greyed; empty when it can.
    QString refusal() const;

    void setTextBoxOptions(const TextBoxOptions& options);
    // Reads the options, then turns the title swatch back to maroon.
    TextBoxOptions takeTextBoxOptions();
    void onFrameChanged();

    // Single fields, for callers and tests.
    QString regionName() const;
    void setRegionName(const QString& name);
    bool regionVisible() const;
    void setRegionVisible(bool visible);
    int typeIndex() const;
    void setTypeIndex(int index);
    QString overlayName() const;
    void setOverlayName(const QString& path);
    // Worksheet cell of row 1..50; column 1 Input frame, 2 Output File.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    // Test seams for the two platform choosers.
    void setColourChooser(ColourChooser chooser);
    void setPictureChooser(PictureChooser chooser);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildTopPanel();
    void buildTextGroup(QWidget* parent);
    void buildBackgroundGroup(QWidget* parent);
    void buildMiddlePanel();
    void buildWorksheetButtons(QWidget* group);
    void buildSheetPanel();
    void buildButtons();

    void onTypeClicked(int index);
    void onTitleClicked(bool checked);
    void onTitleHeightChanged();
    void onLineWidthChanged();
    void onSwatchPressed(ColourSwatch* swatch);
    void onBrowse();
    void onFrameClicked();
    void onFrameDoubleClicked();
    void onFill();
    void onPreviewClicked(bool checked);
    void onActivated();
    void onWorksheetChanged();
    void updateRefusal();
    void updateSheetPreview();
    bool makesSheet() const;

    QLineEdit* nameEdit = nullptr;
    QCheckBox* visibleCheck = nullptr;
    QGroupBox* typeGroup = nullptr;
    QButtonGroup* typeButtons = nullptr;
    QGroupBox* textBoxGroup = nullptr;
    QGroupBox* boxGroup = nullptr;
    ColourSwatch* boxColourSwatch = nullptr;
    ColourSwatch* titleColourSwatch = nullptr;
    QCheckBox* titleCheck = nullptr;
    SpinEdit* titleHeightSpin = nullptr;
    SpinEdit* lineWidthSpin = nullptr;
    QLineEdit* overlayEdit = nullptr;
    QPushButton* browseButton = nullptr;
    WorksheetGrid* worksheet = nullptr;
    QPushButton* fillButton = nullptr;
    WorksheetFillDialog* fillDialog = nullptr;
    QListWidget* frameList = nullptr;
    PreviewImage* preview = nullptr;
    QCheckBox* previewCheck = nullptr;
    QPushButton* okButton = nullptr;
    QLabel* refusalNote = nullptr;
    SheetGroup* sheetGroup = nullptr;

    QString overlaysRoot_;
    std::string projectFolder_;
    std::vector<std::string> frameNames_;
    std::unique_ptr<SheetPreviewer> sheetPreviewer_;
    // The region being edited, for its place on the frames.
    std::unique_ptr<Region> sheetRegion_;
    ColourChooser chooseColour_;
    PictureChooser choosePicture_;
};

}  // namespace tolv::gui
