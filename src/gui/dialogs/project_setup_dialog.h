#pragma once

#include "gui/dialogs/help_dialog.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace tolv {
struct Project;
struct ProjectSetup;
}  // namespace tolv

namespace tolv::gui {

class PreviewImage;

// The "Project Setup" dialog: chooses the project's animation frames among the
// BMP and PNG files of the project folder, their play order, and three project
// options. The caller (runProjectSetup) fills it, runs exec() and reads it back
// on OK. The sort button, the preview box and the last picture carry over
// between openings.
class ProjectSetupDialog : public HelpDialog {
    Q_OBJECT
public:
    explicit ProjectSetupDialog(QWidget* parent = nullptr);
    ~ProjectSetupDialog() override;

    // Steps before showing: empties "Use in Project", points the file list at
    // the project folder, sets the status line, the three options and, unless
    // isNew, the frames of the project in order.
    void fillFromProject(const Project& project, bool isNew);
    // After OK: the frame list in list order, never more than 50 frames, and
    // the three options.
    ProjectSetup setup() const;

    // Single fields, for callers and tests.
    // folderPath ends with a separator; projectPath is the project file's path.
    void setPaths(const QString& folderPath, const QString& projectPath);
    QString folderPath() const { return folderPath_; }
    void setOptions(bool cleanEdges, const QString& rep, const QString& job);
    bool cleanEdges() const;
    QString rep() const;
    QString job() const;
    void clearFrames();
    // Adds a frame as a double-click or a drop does: at the end, or at its
    // sorted place while sorting is on. Refused with a message when the list
    // already holds 50 frames; returns whether it was added.
    bool addFrame(const QString& name);
    QStringList frames() const;
    bool sorting() const;
    QString statusText() const;
    // Why picture files of the folder are not offered: their names cannot
    // be stored in a project file. Empty when every one is offered.
    QString unofferedText() const;

    // Drag and drop onto "Use in Project", by source widget and position in
    // its viewport: files are added, the list's own entries move there.
    bool framesDragOver(QObject* source) const;
    void framesDragDrop(QObject* source, const QPoint& pos);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildFramesPage();
    QWidget* buildOtherPage();
    void buildButtons();
    void fillFileList();
    void sortFrames();
    std::vector<std::string> frameNames() const;
    std::vector<std::size_t> selectedRows() const;
    // Puts the entries in `order` (see ListOrder), keeping them selected.
    void reorder(const std::vector<std::size_t>& order);
    // The row before which a drop at pos puts the entries.
    std::size_t dropRow(const QPoint& pos) const;
    void updateMoveButtons();

    void onActivated();
    void onFileDoubleClicked();
    void onFramesKeyReleased(int key);
    void onMoveUp();
    void onMoveDown();
    void onClearFrames();
    void onListClicked(QListWidget* list);
    void onPreviewClicked();

    QTabWidget* pages = nullptr;
    QListWidget* framesInUse = nullptr;
    QToolButton* sortButton = nullptr;
    QPushButton* moveUpButton = nullptr;
    QPushButton* moveDownButton = nullptr;
    QListWidget* fileList = nullptr;
    QLabel* unofferedNote = nullptr;
    PreviewImage* preview = nullptr;
    QCheckBox* previewCheck = nullptr;
    QCheckBox* cleanEdgesCheck = nullptr;
    QLineEdit* repEdit = nullptr;
    QLineEdit* jobEdit = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusText_ = nullptr;

    QString folderPath_;
    QString projectPath_;
};

}  // namespace tolv::gui
