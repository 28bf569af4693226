#pragma once

#include "gui/dialogs/help_dialog.h"

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;

namespace tolv {
struct Settings;
}

namespace tolv::gui {

class SpinEdit;

// The "Tolv Preferences" dialog: the folders of projects and overlays, the
// animation delay and the compression of PNG outputs. The caller fills it, runs exec() and reads it back on OK.
class PreferencesDialog : public HelpDialog {
    Q_OBJECT
public:
    // Runs the folder chooser at a folder; the chosen folder, nothing when cancelled.
    using FolderChooser = std::function<std::optional<QString>(QWidget* parent, const QString& start)>;

    explicit PreferencesDialog(QWidget* parent = nullptr);

    // The Preferences command: fills the dialog from the settings, shows it
    // and takes its values over on OK. Returns whether it closed with OK.
    bool execute(Settings& settings);
    void fillFrom(const Settings& settings);
    void readInto(Settings& settings) const;

    // The delay is clamped to 1..2000 as the spin edit shows it.
    void setValues(const QString& projectsRoot, const QString& overlaysRoot, int animationDelay);
    QString projectsRoot() const;
    QString overlaysRoot() const;
    int animationDelay() const;
    int pngLevel() const;

    void setFolderChooser(FolderChooser chooser);

private:
    void onFolderButton(QLineEdit* edit);

    QLineEdit* projectsPathEdit = nullptr;
    QLineEdit* overlaysPathEdit = nullptr;
    QPushButton* projectsFolderButton = nullptr;
    QPushButton* overlaysFolderButton = nullptr;
    SpinEdit* animationDelaySpin = nullptr;
    SpinEdit* pngLevelSpin = nullptr;
    FolderChooser chooseFolder_;
};

}  // namespace tolv::gui
