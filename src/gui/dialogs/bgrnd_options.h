#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace tolv {
struct Project;
}

namespace tolv::gui {

class TPreviewImage;

// The "Project Setup" dialog: chooses the project's animation frames among the
// BMP files of the project folder, their play order, and three project
// options. The caller (ProjectUpdated) fills it, runs exec() and reads it back
// on OK. The sort button, the preview box and the last picture carry over
// between openings.
class TBgrndOptions : public QDialog {
    Q_OBJECT
public:
    explicit TBgrndOptions(QWidget* parent = nullptr);
    ~TBgrndOptions() override;

    // Steps before showing: empties "Use in Project", points the file list at
    // the project folder, sets the status line, the three options and, unless
    // isNew, the frames of the project in order.
    void FillFromProject(const Project& project, bool isNew);
    // After OK: Rep, Job, CleanEdges and the frame list in list order. Never
    // stores more than 50 frames. Leaves Modified and the rest to the caller.
    void StoreOptions(Project& project) const;

    // Single fields, for callers and tests.
    // folderPath ends with a separator; projectPath is the project file's path.
    void SetPaths(const QString& folderPath, const QString& projectPath);
    QString FolderPath() const { return folderPath_; }
    void SetOptions(bool cleanEdges, const QString& rep, const QString& job);
    bool CleanEdges() const;
    QString Rep() const;
    QString Job() const;
    void ClearFrames();
    // Adds a frame as a double-click or a drop does: at the end, or at its
    // sorted place while sorting is on. Refused with a message when the list
    // already holds 50 frames; returns whether it was added.
    bool AddFrame(const QString& name);
    QStringList Frames() const;
    bool Sorting() const;
    QString StatusText() const;

    // Drag and drop onto "Use in Project", by source widget.
    bool BkgrndDragOver(QObject* source) const;
    void BkgrndDragDrop(QObject* source);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildFramesPage();
    QWidget* BuildOtherPage();
    void BuildButtons();
    void FillFileList();
    void SortFrames();
    std::vector<std::string> FrameNames() const;

    void FormActivate();
    void FileListDblClick();
    void BkgrndKeyUp(int key);
    void BitBtn5Click();
    void ListClick(QListWidget* list);
    void cb_previewClick();

    QTabWidget* Pages = nullptr;
    QListWidget* Bkgrnd = nullptr;
    QToolButton* sort_btn = nullptr;
    QListWidget* FileList = nullptr;
    TPreviewImage* PreImage = nullptr;
    QCheckBox* cb_preview = nullptr;
    QCheckBox* cb_CleanEdges = nullptr;
    QLineEdit* eb_Rep = nullptr;
    QLineEdit* eb_Job = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* statusText_ = nullptr;

    QString folderPath_;
    QString projectPath_;
};

}  // namespace tolv::gui
