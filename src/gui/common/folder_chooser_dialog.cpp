#include "gui/common/folder_chooser_dialog.h"

#include "gui/common/message_box.h"

#include <QDir>
#include <QFileInfo>

namespace tolv::gui {

bool ConfirmDirectory(QWidget* parent, const QString& path)
{
    if (QFileInfo(path).isDir())
        return true;
    if (ShowMessage(parent, MsgKind::Confirm, "The specified directory does not exist. Create it?", MsgButtons::YesNo)
        != MsgResult::Yes)
        return false;
    if (QDir().mkpath(path) && QFileInfo(path).isDir())
        return true;
    ShowError(parent, "Unable to write to " + QDir::toNativeSeparators(path));
    return false;
}

FolderChooserDialog::FolderChooserDialog(QWidget* parent, const QString& start) : QFileDialog(parent)
{
    setObjectName("folderChooser");
    setWindowTitle("Select Directory");
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::FileName, "Directory &Name:");
    if (QFileInfo(start).isDir())
        setDirectory(start);
}

QString FolderChooserDialog::chosenFolder() const
{
    const QStringList chosen = selectedFiles();
    return chosen.isEmpty() ? directory().absolutePath() : QDir::cleanPath(chosen.first());
}

void FolderChooserDialog::accept()
{
    // A typed folder that does not exist is created after the question;
    // without it the chooser stays open.
    if (ConfirmDirectory(this, chosenFolder()))
        QFileDialog::accept();
}

std::optional<QString> FolderChooserDialog::choose(QWidget* parent, const QString& start)
{
    FolderChooserDialog chooser(parent, start);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.chosenFolder();
}

}  // namespace tolv::gui
