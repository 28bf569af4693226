#include "gui/dialogs/preferences_dialog.h"

#include "gui/common/folder_chooser_dialog.h"
#include "gui/dialogs/dialog_style.h"
#include "gui/dialogs/spin_edit.h"
#include "settings/settings.h"

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

PreferencesDialog::PreferencesDialog(QWidget* parent) : HelpDialog(parent), chooseFolder_(FolderChooserDialog::choose)
{
    setObjectName("options");
    setWindowTitle("Tolv Preferences");
    UseDialogFont(this);
    setFixedSize(446, 243);

    const auto [ok, cancel] = AddOkCancel(this, this, {360, 16}, {360, 48}, "okButton", "cancelButton");

    auto* misc = AddControl<QGroupBox>(this, "GroupBox2", {8, 144, 337, 89}, "Misc Options");
    animationDelaySpin = AddControl<SpinEdit>(misc, "animationDelaySpin", {176, 28, 89, 22}, MinDelay, MaxDelay, 10);
    AddLabel(misc, "Animation &delay between frames", 16, 32, animationDelaySpin)->setObjectName("Label3");
    AddLabel(misc, "millisecs.", 272, 32)->setObjectName("Label4");
    pngLevelSpin = AddControl<SpinEdit>(misc, "pngLevelSpin", {176, 56, 89, 22}, MinPngLevel, MaxPngLevel, 1);
    pngLevelSpin->setToolTip("0 writes fastest, 9 writes the smallest files");
    AddLabel(misc, "P&NG compression (0-9)", 16, 60, pngLevelSpin)->setObjectName("pngLevelLabel");

    auto* folders = AddControl<QGroupBox>(this, "GroupBox1", {8, 8, 337, 129}, "Folder Options and Paths");
    projectsPathEdit = AddControl<QLineEdit>(folders, "projectsPathEdit", {16, 40, 281, 21});
    projectsFolderButton = AddControl<QPushButton>(folders, "projectsFolderButton", {297, 41, 25, 20}, "...");
    overlaysPathEdit = AddControl<QLineEdit>(folders, "overlaysPathEdit", {16, 88, 281, 21});
    overlaysFolderButton = AddControl<QPushButton>(folders, "overlaysFolderButton", {297, 89, 25, 20}, "...");
    AddLabel(folders, "&Project path root", 16, 24, projectsPathEdit)->setObjectName("Label2");
    AddLabel(folders, "&Overlays path", 16, 72, overlaysPathEdit)->setObjectName("Label5");
    connect(projectsFolderButton, &QPushButton::clicked, this, [this] { onFolderButton(projectsPathEdit); });
    connect(overlaysFolderButton, &QPushButton::clicked, this, [this] { onFolderButton(overlaysPathEdit); });

    QPushButton* help = AddHelpButton(this, this, {360, 80}, "topic150", "helpButton");
    help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));

    setTabOrder(ok, cancel);
    setTabOrder(cancel, animationDelaySpin);
    setTabOrder(animationDelaySpin, pngLevelSpin);
    setTabOrder(pngLevelSpin, overlaysPathEdit);
    setTabOrder(overlaysPathEdit, overlaysFolderButton);
    setTabOrder(overlaysFolderButton, projectsPathEdit);
    setTabOrder(projectsPathEdit, projectsFolderButton);
    setTabOrder(projectsFolderButton, help);
}

bool PreferencesDialog::execute(Settings& settings)
{
    fillFrom(settings);
    if (exec() != QDialog::Accepted)
        return false;
    readInto(settings);
    return true;
}

void PreferencesDialog::fillFrom(const Settings& settings)
{
    setValues(QString::fromStdString(settings.ProjectsRoot), QString::fromStdString(settings.OverlaysRoot),
              settings.AnimationDelay);
    pngLevelSpin->setValue(settings.PngLevel);
}

void PreferencesDialog::readInto(Settings& settings) const
{
    settings.ProjectsRoot = projectsRoot().toStdString();
    settings.OverlaysRoot = overlaysRoot().toStdString();
    settings.AnimationDelay = animationDelay();
    settings.PngLevel = pngLevel();
}

void PreferencesDialog::setValues(const QString& projectsRoot, const QString& overlaysRoot, int animationDelay)
{
    projectsPathEdit->setText(projectsRoot);
    overlaysPathEdit->setText(overlaysRoot);
    animationDelaySpin->setValue(animationDelay);
}

QString PreferencesDialog::projectsRoot() const
{
    return projectsPathEdit->text();
}

QString PreferencesDialog::overlaysRoot() const
{
    return overlaysPathEdit->text();
}

int PreferencesDialog::animationDelay() const
{
    return animationDelaySpin->value();
}

int PreferencesDialog::pngLevel() const
{
    return pngLevelSpin->value();
}

void PreferencesDialog::setFolderChooser(FolderChooser chooser)
{
    chooseFolder_ = std::move(chooser);
}

void PreferencesDialog::onFolderButton(QLineEdit* edit)
{
    if (const std::optional<QString> chosen = chooseFolder_(this, edit->text()))
        edit->setText(*chosen);
}

}  // namespace tolv::gui
