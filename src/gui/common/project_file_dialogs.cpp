#include "gui/common/project_file_dialogs.h"

#include <QDir>
#include <QFileDialog>

namespace tolv::gui {

namespace {

const QString ProjectFilter = QStringLiteral("Quillard project (*.qvl)");

FileDialogAnswerer& Answerer()
{
    static FileDialogAnswerer answerer;
    return answerer;
}

}  // namespace

QString ChooseProjectToOpen(QWidget* parent, const QString& folder)
{
    if (Answerer())
        return Answerer()(FileDialogKind::Open, folder, QString());
    return QFileDialog::getOpenFileName(parent, QString(), folder, ProjectFilter);
}

QString ChooseProjectToCreate(QWidget* parent, const QString& folder, const QString& fileName)
{
    if (Answerer())
        return Answerer()(FileDialogKind::Save, folder, fileName);
    return QFileDialog::getSaveFileName(parent, QString(), QDir(folder).filePath(fileName), ProjectFilter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void SetFileDialogAnswerer(FileDialogAnswerer answerer)
{
    Answerer() = std::move(answerer);
}

}  // namespace tolv::gui
