#pragma once

#include <QFileDialog>

#include <optional>

namespace tolv::gui {

// Asks "The specified directory does not exist. Create it?" for a folder that
// does not exist and creates it, with its missing parents, on Yes. True when
// the folder exists afterwards.
bool ConfirmDirectory(QWidget* parent, const QString& path);

// The "Select Directory" folder chooser: a folder tree and a field
// "Directory &Name:" where a folder may be typed. A typed folder that does not
// exist is created after the question; No keeps the chooser open.
class FolderChooserDialog : public QFileDialog {
    Q_OBJECT
public:
    FolderChooserDialog(QWidget* parent, const QString& start);
    QString chosenFolder() const;

    // Runs the chooser modally.
    static std::optional<QString> choose(QWidget* parent, const QString& start);

public slots:
    void accept() override;
};

}  // namespace tolv::gui
