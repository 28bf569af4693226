#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;

namespace tolv {
struct Settings;
}

namespace tolv::gui {

class TSpinEdit;

// The "Tolv Preferences" dialog: the folders of projects and overlays and the
// animation delay. The caller fills it, runs exec() and reads it back on OK.
class Toptions : public QDialog {
    Q_OBJECT
public:
    // Runs the folder chooser at a folder; the chosen folder, nothing when cancelled.
    using FolderChooser = std::function<std::optional<QString>(QWidget* parent, const QString& start)>;

    explicit Toptions(QWidget* parent = nullptr);

    // The Preferences command: fills the dialog from the settings, shows it
    // and takes its values over on OK. Returns whether it closed with OK.
    bool Execute(Settings& settings);
    void FillFrom(const Settings& settings);
    void ReadInto(Settings& settings) const;

    // The delay is clamped to 1..2000 as the spin edit shows it.
    void SetValues(const QString& projectsRoot, const QString& overlaysRoot, int animationDelay);
    QString ProjectsRoot() const;
    QString OverlaysRoot() const;
    int AnimationDelay() const;

    void SetFolderChooser(FolderChooser chooser);

private:
    void FolderButtonClick(QLineEdit* edit);

    QLineEdit* pPath = nullptr;
    QLineEdit* oPath = nullptr;
    QPushButton* b1 = nullptr;
    QPushButton* b3 = nullptr;
    TSpinEdit* se_animDelay = nullptr;
    FolderChooser chooseFolder_;
};

}  // namespace tolv::gui
