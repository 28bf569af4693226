#include "gui/dialogs/bgrnd_options.h"

#include "gui/app/help_router.h"
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
    Pages = new QTabWidget(this);
    Pages->setObjectName("Pages");
    Place(Pages, 0, 0, 609, 257);
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
    Bkgrnd = new QListWidget(page);
    Bkgrnd->setObjectName("Bkgrnd");
    Place(Bkgrnd, 8, 24, 137, 167);
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

    AddLabel(page, "Preview", 320, 8);
    auto* previewFrame = new QFrame(page);
    previewFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Place(previewFrame, 319, 24, 274, 169);
    PreImage = new TPreviewImage(previewFrame);
    PreImage->setObjectName("PreImage");
    Place(PreImage, 2, 2, 270, 165);
    PreImage->hide();
    cb_preview = new QCheckBox("&Preview animation frame", page);
    cb_preview->setObjectName("cb_preview");
    Place(cb_preview, 327, 198, 177, 17);
    connect(cb_preview, &QCheckBox::toggled, this, &TBgrndOptions::cb_previewClick);
    return page;
}

QWidget* TBgrndOptions::BuildOtherPage()
{
    auto* page = new QWidget;
    page->setObjectName("OtherTab");
    auto* fixups = new QGroupBox("Raydream Fixups", page);
    Place(fixups, 8, 8, 233, 129);
    cb_CleanEdges = new QCheckBox("&Clean edges of Raydream frames", fixups);
    cb_CleanEdges->setObjectName("cb_CleanEdges");
    Place(cb_CleanEdges, 16, 24, 185, 17);
    AddNote(fixups, " ( Use color from pixel at x=1, y=1 )", 40, 42);

    auto* zod = new QGroupBox("ZOD Import Options", page);
    Place(zod, 280, 8, 185, 129);
    eb_Rep = new QLineEdit(zod);
    eb_Rep->setObjectName("eb_Rep");
    Place(eb_Rep, 16, 40, 121, 21);
    AddLabel(zod, "Rep", 16, 25, eb_Rep);
    eb_Job = new QLineEdit(zod);
    eb_Job->setObjectName("eb_Job");
    Place(eb_Job, 16, 80, 121, 21);
    AddLabel(zod, "Job", 16, 65, eb_Job);
    return page;
}

void TBgrndOptions::BuildButtons()
{
    QPushButton* ok = AddButton(this, "OK", 179, 266);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* cancel = AddButton(this, "Cancel", 267, 266);
    cancel->setObjectName("CancelBtn");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton* help = AddButton(this, "Help", 355, 266);
    help->setObjectName("BitBtn3");
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic("topic40"); });
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
