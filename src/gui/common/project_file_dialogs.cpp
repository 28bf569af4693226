#include "gui/common/project_file_dialogs.h"

#include <QDir>
#include <QFileDialog>

namespace tolv::gui {

namespace {

const QString ProjectFilter = QStringLiteral("Quillard project (*.qvl)");
const QString AnyFileFilter = QStringLiteral("All files (*)");

FileDialogAnswerer& Answerer()
{
    static FileDialogAnswerer answerer;
    return answerer;
}

QString ChooseProjectToSave(QWidget* parent, const QString& title, const QString& folder, const QString& fileName,
                            QFileDialog::Options options)
{
    if (Answerer())
        return Answerer()(FileDialogKind::Save, folder, fileName);
    return QFileDialog::getSaveFileName(parent, title, QDir(folder).filePath(fileName), ProjectFilter, nullptr,
                                        options);
}

}  // namespace

QString ChooseProjectToOpen(QWidget* parent, const QString& folder)
{
    if (Answerer())
        return Answerer()(FileDialogKind::Open, folder, QString());
    return QFileDialog::getOpenFileName(parent, QString(), folder, ProjectFilter + ";;" + AnyFileFilter);
}

QString ChooseProjectToCreate(QWidget* parent, const QString& folder, const QString& fileName)
{
    return ChooseProjectToSave(parent, "New Project", folder, fileName, QFileDialog::DontConfirmOverwrite);
}

QString ChooseProjectToSaveAs(QWidget* parent, const QString& folder, const QString& fileName)
{
    return ChooseProjectToSave(parent, "Save Project As", folder, fileName, {});
}

void SetFileDialogAnswerer(FileDialogAnswerer answerer)
{
    Answerer() = std::move(answerer);
}

}  // namespace tolv::gui
