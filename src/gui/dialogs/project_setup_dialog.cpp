#include "gui/dialogs/project_setup_dialog.h"

#include "document/edit_values.h"
#include "gui/common/message_box.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/dialogs/preview_image.h"
#include "platform/io/files.h"
#include "project/frame_list_rules.h"
#include "project/project.h"
#include "project/storable_names.h"

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

#include <optional>

namespace tolv::gui {

namespace {

constexpr int ClientWidth = 608;
constexpr int ClientHeight = 319;

}  // namespace

ProjectSetupDialog::ProjectSetupDialog(QWidget* parent) : HelpDialog(parent)
{
    setObjectName("BgrndOptions");
    setWindowTitle("Project Setup");
    UseDialogFont(this);
    setFixedSize(ClientWidth, ClientHeight);
    pages = AddControl<QTabWidget>(this, "pages", {0, 0, 609, 257});
    pages->addTab(buildFramesPage(), "Animation Frames");
    pages->addTab(buildOtherPage(), "Other Options");
    buildButtons();
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("statusBar_");
    statusBar_->setSizeGripEnabled(false);
    Place(statusBar_, 0, ClientHeight - 19, ClientWidth, 19);
    statusText_ = new QLabel(statusBar_);
    statusBar_->addWidget(statusText_, 1);
}

ProjectSetupDialog::~ProjectSetupDialog() = default;

QWidget* ProjectSetupDialog::buildFramesPage()
{
    auto* page = new QWidget;
    page->setObjectName("AnimationTab");
    framesInUse = AddControl<QListWidget>(page, "framesInUse", {8, 24, 157, 167});
    framesInUse->setSelectionMode(QAbstractItemView::ExtendedSelection);
    framesInUse->setDragEnabled(true);
    framesInUse->setDragDropMode(QAbstractItemView::DragDrop);
    framesInUse->setDefaultDropAction(Qt::CopyAction);
    framesInUse->viewport()->installEventFilter(this);
    framesInUse->installEventFilter(this);
    AddLabel(page, "&Use in Project", 8, 8, framesInUse);
    connect(framesInUse, &QListWidget::itemClicked, this, [this] { onListClicked(framesInUse); });

    sortButton = new QToolButton(page);
    sortButton->setObjectName("sortButton");
    sortButton->setCheckable(true);
    sortButton->setToolTip("Sort list");
    sortButton->setIcon(QIcon::fromTheme("view-sort-ascending", style()->standardIcon(QStyle::SP_ArrowDown)));
    Place(sortButton, 142, 196, 23, 22);
    connect(sortButton, &QToolButton::clicked, this, &ProjectSetupDialog::onClearFrames);

    moveUpButton = AddControl<QPushButton>(page, "moveUpButton", {8, 196, 62, 22}, "&Move Up");
    moveDownButton = AddControl<QPushButton>(page, "moveDownButton", {72, 196, 68, 22}, "Move &Down");
    connect(moveUpButton, &QPushButton::clicked, this, &ProjectSetupDialog::onMoveUp);
    connect(moveDownButton, &QPushButton::clicked, this, &ProjectSetupDialog::onMoveDown);
    connect(framesInUse, &QListWidget::itemSelectionChanged, this, &ProjectSetupDialog::updateMoveButtons);
    connect(framesInUse->model(), &QAbstractItemModel::rowsInserted, this, &ProjectSetupDialog::updateMoveButtons);
    connect(framesInUse->model(), &QAbstractItemModel::rowsRemoved, this, &ProjectSetupDialog::updateMoveButtons);
    connect(sortButton, &QToolButton::toggled, this, &ProjectSetupDialog::updateMoveButtons);
    updateMoveButtons();

    fileList = new QListWidget(page);
    fileList->setObjectName("fileList");
    fileList->setToolTip("Drag files to list box");
    fileList->setDragEnabled(true);
    fileList->setDragDropMode(QAbstractItemView::DragOnly);
    fileList->setDefaultDropAction(Qt::CopyAction);
    Place(fileList, 180, 24, 145, 167);
    AddLabel(page, "&Files in project folder", 180, 8, fileList);
    connect(fileList, &QListWidget::itemClicked, this, [this] { onListClicked(fileList); });
    connect(fileList, &QListWidget::itemDoubleClicked, this, &ProjectSetupDialog::onFileDoubleClicked);
    unofferedNote = AddControl<QLabel>(page, "unofferedNote", {8, 218, 593, 16});
    SetTextColour(unofferedNote, Qt::red);

    preview = AddPreviewPanel(page, {339, 24, 254, 169});
    previewCheck = AddControl<QCheckBox>(page, "previewCheck", {347, 198, 177, 17}, "&Preview animation frame");
    connect(previewCheck, &QCheckBox::toggled, this, &ProjectSetupDialog::onPreviewClicked);
    return page;
}

QWidget* ProjectSetupDialog::buildOtherPage()
{
    auto* page = new QWidget;
    page->setObjectName("OtherTab");
    auto* fixups = AddControl<QGroupBox>(page, nullptr, {8, 8, 233, 129}, "Raydream Fixups");
    cleanEdgesCheck =
        AddControl<QCheckBox>(fixups, "cleanEdgesCheck", {16, 24, 185, 17}, "&Clean edges of Raydream frames");
    AddNote(fixups, " ( Use color from pixel at x=1, y=1 )", 40, 42);

    auto* zod = AddControl<QGroupBox>(page, nullptr, {280, 8, 185, 129}, "ZOD Import Options");
    repEdit = AddControl<QLineEdit>(zod, "repEdit", {16, 40, 121, 21});
    AddLabel(zod, "Rep", 16, 25, repEdit);
    jobEdit = AddControl<QLineEdit>(zod, "jobEdit", {16, 80, 121, 21});
    AddLabel(zod, "Job", 16, 65, jobEdit);
    return page;
}

void ProjectSetupDialog::buildButtons()
{
    AddOkCancel(this, this, {179, 266}, {267, 266});
    AddHelpButton(this, this, {355, 266}, "topic40", "helpButton");
}

void ProjectSetupDialog::fillFromProject(const Project& project, bool isNew)
{
    clearFrames();
    QString folder = QString::fromStdString(project.ProjectFolder);
    if (!folder.endsWith('/'))
        folder += '/';
    setPaths(folder, folder + QString::fromStdString(project.ProjectFileName));
    setOptions(project.CleanEdges, QString::fromStdString(project.Rep), QString::fromStdString(project.Job));
    if (isNew)
        return;
    for (const std::string& frame : project.FrameNames)
        framesInUse->addItem(QString::fromStdString(NamePart(frame)));
    if (sorting())
        sortFrames();
}

ProjectSetup ProjectSetupDialog::setup() const
{
    return {frameNames(), cleanEdges(), rep().toStdString(), job().toStdString()};
}

void ProjectSetupDialog::setPaths(const QString& folderPath, const QString& projectPath)
{
    folderPath_ = folderPath;
    projectPath_ = projectPath;
    fillFileList();
}

// A file whose name a project file cannot hold stays in the list, greyed and
// out of reach, so the user sees why it cannot be chosen.
void ProjectSetupDialog::fillFileList()
{
    fileList->clear();
    QStringList reasons;
    for (const std::string& name : ListFrameFiles(folderPath_.toStdString())) {
        auto* file = new QListWidgetItem(QString::fromStdString(name), fileList);
        if (const std::optional<std::string> reason = UnstorableNameReason("Frame file", name)) {
            file->setFlags(Qt::NoItemFlags);
            file->setToolTip(QString::fromStdString(*reason));
            reasons << file->toolTip();
        }
    }
    QString note;
    if (!reasons.isEmpty())
        note = "Not offered: " + reasons.first()
               + (reasons.size() > 1 ? QString(" (%1 more greyed files)").arg(reasons.size() - 1) : QString());
    unofferedNote->setText(note);
    unofferedNote->setToolTip(reasons.join('\n'));
}

QString ProjectSetupDialog::unofferedText() const
{
    return unofferedNote->text();
}

void ProjectSetupDialog::setOptions(bool cleanEdges, const QString& rep, const QString& job)
{
    cleanEdgesCheck->setChecked(cleanEdges);
    repEdit->setText(rep);
    jobEdit->setText(job);
}

bool ProjectSetupDialog::cleanEdges() const
{
    return cleanEdgesCheck->isChecked();
}

QString ProjectSetupDialog::rep() const
{
    return repEdit->text();
}

QString ProjectSetupDialog::job() const
{
    return jobEdit->text();
}

void ProjectSetupDialog::clearFrames()
{
    framesInUse->clear();
}

QStringList ProjectSetupDialog::frames() const
{
    QStringList frames;
    for (int i = 0; i < framesInUse->count(); ++i)
        frames << framesInUse->item(i)->text();
    return frames;
}

std::vector<std::string> ProjectSetupDialog::frameNames() const
{
    std::vector<std::string> names;
    for (const QString& frame : frames())
        names.push_back(frame.toStdString());
    return names;
}

bool ProjectSetupDialog::sorting() const
{
    return sortButton->isChecked();
}

}  // namespace tolv::gui
