#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tolv::gui {

// The file dialogs for project files, with the filter
// "Quillard project (*.qvl)". No extension is added to a typed name. New's
// dialog asks nothing about an existing file, since New asks itself; Save
// As's dialog asks the platform's question.
enum class FileDialogKind { Open, Save };

// The chosen path, or empty when the dialog was cancelled. Open also offers
// every file, for projects not named .qvl.
QString ChooseProjectToOpen(QWidget* parent, const QString& folder);
QString ChooseProjectToCreate(QWidget* parent, const QString& folder, const QString& fileName);
QString ChooseProjectToSaveAs(QWidget* parent, const QString& folder, const QString& fileName);

// Tests install an answerer that returns the path instead of showing a
// dialog; an empty answerer restores the real dialogs.
using FileDialogAnswerer = std::function<QString(FileDialogKind kind, const QString& folder, const QString& fileName)>;
void SetFileDialogAnswerer(FileDialogAnswerer answerer);

}  // namespace tolv::gui
