#include "gui/dialogs/bgrnd_options.h"

#include "gui/app/message_box.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/dialogs/preview_image.h"
#include "platform/files.h"
#include "project/frame_list_rules.h"
#include "project/project.h"

#include <QCheckBox>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace tolv::gui {

namespace {

constexpr int ClientWidth = 608;
constexpr int ClientHeight = 319;

}  // namespace

TBgrndOptions::TBgrndOptions(QWidget* parent) : QDialog(parent)
{
    setObjectName("BgrndOptions");
    setWindowTitle("Project Setup");
    UseDialogFont(this);
    setFixedSize(ClientWidth, ClientHeight);
    Pages = AddControl<QTabWidget>(this, "Pages", {0, 0, 609, 257});
    Pages->addTab(BuildFramesPage(), "Animation Frames");
    Pages->addTab(BuildOtherPage(), "Other Options");
    BuildButtons();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    Place(StatusBar1, 0, ClientHeight - 19, ClientWidth, 19);
    statusText_ = new QLabel(StatusBar1);
    StatusBar1->addWidget(statusText_, 1);
}

TBgrndOptions::~TBgrndOptions() = default;

QWidget* TBgrndOptions::BuildFramesPage()
{
    auto* page = new QWidget;
    page->setObjectName("AnimationTab");
    Bkgrnd = AddControl<QListWidget>(page, "Bkgrnd", {8, 24, 137, 167});
    Bkgrnd->setDragEnabled(true);
    Bkgrnd->setDragDropMode(QAbstractItemView::DragDrop);
    Bkgrnd->setDefaultDropAction(Qt::CopyAction);
    Bkgrnd->viewport()->installEventFilter(this);
    Bkgrnd->installEventFilter(this);
    AddLabel(page, "&Use in Project", 8, 8, Bkgrnd);
    connect(Bkgrnd, &QListWidget::itemClicked, this, [this] { ListClick(Bkgrnd); });

    sort_btn = new QToolButton(page);
    sort_btn->setObjectName("sort_btn");
    sort_btn->setCheckable(true);
    sort_btn->setToolTip("Sort list");
    sort_btn->setIcon(QIcon::fromTheme("view-sort-ascending", style()->standardIcon(QStyle::SP_ArrowDown)));
    Place(sort_btn, 68, 196, 23, 22);
    connect(sort_btn, &QToolButton::clicked, this, &TBgrndOptions::BitBtn5Click);

    FileList = new QListWidget(page);
    FileList->setObjectName("FileList");
    FileList->setToolTip("Drag files to list box");
    FileList->setDragEnabled(true);
    FileList->setDragDropMode(QAbstractItemView::DragOnly);
    FileList->setDefaultDropAction(Qt::CopyAction);
    Place(FileList, 160, 24, 145, 167);
    AddLabel(page, "&Files in project folder", 160, 8, FileList);
    connect(FileList, &QListWidget::itemClicked, this, [this] { ListClick(FileList); });
    connect(FileList, &QListWidget::itemDoubleClicked, this, &TBgrndOptions::FileListDblClick);

    PreImage = AddPreviewPanel(page, {319, 24, 274, 169});
    cb_preview = AddControl<QCheckBox>(page, "cb_preview", {327, 198, 177, 17}, "&Preview animation frame");
    connect(cb_preview, &QCheckBox::toggled, this, &TBgrndOptions::cb_previewClick);
    return page;
}

QWidget* TBgrndOptions::BuildOtherPage()
{
    auto* page = new QWidget;
    page->setObjectName("OtherTab");
    auto* fixups = AddControl<QGroupBox>(page, nullptr, {8, 8, 233, 129}, "Raydream Fixups");
    cb_CleanEdges = AddControl<QCheckBox>(fixups, "cb_CleanEdges", {16, 24, 185, 17}, "&Clean edges of Raydream frames");
    AddNote(fixups, " ( Use color from pixel at x=1, y=1 )", 40, 42);

    auto* zod = AddControl<QGroupBox>(page, nullptr, {280, 8, 185, 129}, "ZOD Import Options");
    eb_Rep = AddControl<QLineEdit>(zod, "eb_Rep", {16, 40, 121, 21});
    AddLabel(zod, "Rep", 16, 25, eb_Rep);
    eb_Job = AddControl<QLineEdit>(zod, "eb_Job", {16, 80, 121, 21});
    AddLabel(zod, "Job", 16, 65, eb_Job);
    return page;
}

void TBgrndOptions::BuildButtons()
{
    AddOkCancel(this, this, {179, 266}, {267, 266});
    AddHelpButton(this, {355, 266}, "topic40", "BitBtn3");
}

void TBgrndOptions::FillFromProject(const Project& project, bool isNew)
{
    ClearFrames();
    QString folder = QString::fromStdString(project.ProjectFolder);
    if (!folder.endsWith('/'))
        folder += '/';
    SetPaths(folder, folder + QString::fromStdString(project.ProjectFileName));
    SetOptions(project.CleanEdges, QString::fromStdString(project.Rep), QString::fromStdString(project.Job));
    if (isNew)
        return;
    for (const std::string& frame : project.FrameNames)
        Bkgrnd->addItem(QString::fromStdString(NamePart(frame)));
    if (Sorting())
        SortFrames();
}

void TBgrndOptions::StoreOptions(Project& project) const
{
    project.Rep = Rep().toStdString();
    project.Job = Job().toStdString();
    project.CleanEdges = CleanEdges();
    project.SetFrameNames(FrameNames());
}

void TBgrndOptions::SetPaths(const QString& folderPath, const QString& projectPath)
{
    folderPath_ = folderPath;
    projectPath_ = projectPath;
    FillFileList();
}

void TBgrndOptions::FillFileList()
{
    FileList->clear();
    for (const std::string& name : ListBmpFiles(folderPath_.toStdString()))
        FileList->addItem(QString::fromStdString(name));
}

void TBgrndOptions::SetOptions(bool cleanEdges, const QString& rep, const QString& job)
{
    cb_CleanEdges->setChecked(cleanEdges);
    eb_Rep->setText(rep);
    eb_Job->setText(job);
}

bool TBgrndOptions::CleanEdges() const
{
    return cb_CleanEdges->isChecked();
}

QString TBgrndOptions::Rep() const
{
    return eb_Rep->text();
}

QString TBgrndOptions::Job() const
{
    return eb_Job->text();
}

void TBgrndOptions::ClearFrames()
{
    Bkgrnd->clear();
}

QStringList TBgrndOptions::Frames() const
{
    QStringList frames;
    for (int i = 0; i < Bkgrnd->count(); ++i)
        frames << Bkgrnd->item(i)->text();
    return frames;
}

std::vector<std::string> TBgrndOptions::FrameNames() const
{
    std::vector<std::string> frames;
    for (const QString& frame : Frames())
        frames.push_back(frame.toStdString());
    return frames;
}

bool TBgrndOptions::Sorting() const
{
    return sort_btn->isChecked();
}

}  // namespace tolv::gui
