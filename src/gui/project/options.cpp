#include "gui/project/options.h"

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

}  // namespace

Toptions::Toptions(QWidget* parent) : QDialog(parent), chooseFolder_(TSelectDirectory::Choose)
{
    setObjectName("options");
    setWindowTitle("Tolv Preferences");
    UseDialogFont(this);
    setFixedSize(446, 243);

    const auto [ok, cancel] = AddOkCancel(this, this, {360, 16}, {360, 48}, "BitBtn1", "BitBtn2");

    auto* misc = AddControl<QGroupBox>(this, "GroupBox2", {8, 144, 337, 89}, "Misc Options");
    se_animDelay = AddControl<TSpinEdit>(misc, "se_animDelay", {176, 28, 89, 22}, MinDelay, MaxDelay, 10);
    AddLabel(misc, "Animation &delay between frames", 16, 32, se_animDelay)->setObjectName("Label3");
    AddLabel(misc, "millisecs.", 272, 32)->setObjectName("Label4");

    auto* folders = AddControl<QGroupBox>(this, "GroupBox1", {8, 8, 337, 129}, "Folder Options and Paths");
    pPath = AddControl<QLineEdit>(folders, "pPath", {16, 40, 281, 21});
    b1 = AddControl<QPushButton>(folders, "b1", {297, 41, 25, 20}, "...");
    oPath = AddControl<QLineEdit>(folders, "oPath", {16, 88, 281, 21});
    b3 = AddControl<QPushButton>(folders, "b3", {297, 89, 25, 20}, "...");
    AddLabel(folders, "&Project path root", 16, 24, pPath)->setObjectName("Label2");
    AddLabel(folders, "&Overlays path", 16, 72, oPath)->setObjectName("Label5");
    connect(b1, &QPushButton::clicked, this, [this] { FolderButtonClick(pPath); });
    connect(b3, &QPushButton::clicked, this, [this] { FolderButtonClick(oPath); });

    QPushButton* help = AddHelpButton(this, {360, 80}, "topic150", "BitBtn3");
    help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));

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
