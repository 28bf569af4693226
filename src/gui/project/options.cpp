#include "gui/project/options.h"

#include "gui/app/help_router.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/dialogs/spin_edit.h"
#include "gui/project/select_directory.h"
#include "project/settings.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace tolv::gui {

namespace {

constexpr int MinDelay = 1;
constexpr int MaxDelay = 2000;

QLineEdit* AddPathEdit(QWidget* group, const char* name, int top)
{
    auto* edit = new QLineEdit(group);
    edit->setObjectName(name);
    Place(edit, 16, top, 281, 21);
    return edit;
}

QPushButton* AddFolderButton(QWidget* group, const char* name, int top)
{
    auto* button = new QPushButton("...", group);
    button->setObjectName(name);
    Place(button, 297, top, 25, 20);
    return button;
}

}  // namespace

Toptions::Toptions(QWidget* parent) : QDialog(parent), chooseFolder_(TSelectDirectory::Choose)
{
    setObjectName("options");
    setWindowTitle("Tolv Preferences");
    UseDialogFont(this);
    setFixedSize(446, 243);

    QPushButton* ok = AddButton(this, "OK", 360, 16);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* cancel = AddButton(this, "Cancel", 360, 48);
    cancel->setObjectName("BitBtn2");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* misc = new QGroupBox("Misc Options", this);
    misc->setObjectName("GroupBox2");
    Place(misc, 8, 144, 337, 89);
    se_animDelay = new TSpinEdit(MinDelay, MaxDelay, 10, misc);
    se_animDelay->setObjectName("se_animDelay");
    Place(se_animDelay, 176, 28, 89, 22);
    AddLabel(misc, "Animation &delay between frames", 16, 32, se_animDelay)->setObjectName("Label3");
    AddLabel(misc, "millisecs.", 272, 32)->setObjectName("Label4");

    auto* folders = new QGroupBox("Folder Options and Paths", this);
    folders->setObjectName("GroupBox1");
    Place(folders, 8, 8, 337, 129);
    pPath = AddPathEdit(folders, "pPath", 40);
    b1 = AddFolderButton(folders, "b1", 41);
    oPath = AddPathEdit(folders, "oPath", 88);
    b3 = AddFolderButton(folders, "b3", 89);
    AddLabel(folders, "&Project path root", 16, 24, pPath)->setObjectName("Label2");
    AddLabel(folders, "&Overlays path", 16, 72, oPath)->setObjectName("Label5");
    connect(b1, &QPushButton::clicked, this, [this] { FolderButtonClick(pPath); });
    connect(b3, &QPushButton::clicked, this, [this] { FolderButtonClick(oPath); });

    QPushButton* help = AddButton(this, "Help", 360, 80);
    help->setObjectName("BitBtn3");
    help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic("topic150"); });

    setTabOrder(ok, cancel);
    setTabOrder(cancel, se_animDelay);
    setTabOrder(se_animDelay, oPath);
    setTabOrder(oPath, b3);
    setTabOrder(b3, pPath);
    setTabOrder(pPath, b1);
    setTabOrder(b1, help);
}

bool Toptions::Execute(Settings& settings)
{
    FillFrom(settings);
    if (exec() != QDialog::Accepted)
        return false;
    ReadInto(settings);
    return true;
}

void Toptions::FillFrom(const Settings& settings)
{
    SetValues(QString::fromStdString(settings.ProjectsRoot), QString::fromStdString(settings.OverlaysRoot),
              settings.AnimationDelay);
}

void Toptions::ReadInto(Settings& settings) const
{
    settings.ProjectsRoot = ProjectsRoot().toStdString();
    settings.OverlaysRoot = OverlaysRoot().toStdString();
    settings.AnimationDelay = AnimationDelay();
}

void Toptions::SetValues(const QString& projectsRoot, const QString& overlaysRoot, int animationDelay)
{
    pPath->setText(projectsRoot);
    oPath->setText(overlaysRoot);
    se_animDelay->setValue(animationDelay);
}

QString Toptions::ProjectsRoot() const
{
    return pPath->text();
}

QString Toptions::OverlaysRoot() const
{
    return oPath->text();
}

int Toptions::AnimationDelay() const
{
    return se_animDelay->value();
}

void Toptions::SetFolderChooser(FolderChooser chooser)
{
    chooseFolder_ = std::move(chooser);
}

void Toptions::FolderButtonClick(QLineEdit* edit)
{
    if (const std::optional<QString> chosen = chooseFolder_(this, edit->text()))
        edit->setText(*chosen);
}

}  // namespace tolv::gui
