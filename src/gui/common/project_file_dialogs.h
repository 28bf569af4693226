#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tolv::gui {

// The file dialogs for project files, with the filter
// "Quillard project (*.qvl)". No extension is added to a typed name, and the
// save dialog asks nothing about an existing file: the caller does.
enum class FileDialogKind { Open, Save };

// The chosen path, or empty when the dialog was cancelled.
QString ChooseProjectToOpen(QWidget* parent, const QString& folder);
QString ChooseProjectToCreate(QWidget* parent, const QString& folder, const QString& fileName);

// Tests install an answerer that returns the path instead of showing a
// dialog; an empty answerer restores the real dialogs.
using FileDialogAnswerer = std::function<QString(FileDialogKind kind, const QString& folder, const QString& fileName)>;
void SetFileDialogAnswerer(FileDialogAnswerer answerer);

}  // namespace tolv::gui
