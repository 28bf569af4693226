// The handlers of the Project Setup dialog's controls.
#include "gui/dialogs/project_setup_dialog.h"

#include "gui/common/message_box.h"
#include "gui/dialogs/preview_image.h"
#include "project/frame_list_rules.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace tolv::gui {

namespace {

QListWidgetItem* SelectedEntry(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

}  // namespace

bool ProjectSetupDialog::AddFrame(const QString& name)
{
    if (FrameListFull(std::size_t(framesInUse->count()))) {
        ShowMessage(this, MsgKind::Information, FrameListFullMessage);
        return false;
    }
    if (Sorting())
        framesInUse->insertItem(int(SortedInsertIndex(FrameNames(), name.toStdString())), name);
    else
        framesInUse->addItem(name);
    return true;
}

void ProjectSetupDialog::SortFrames()
{
    std::vector<std::string> names = FrameNames();
    SortIgnoringCase(names);
    framesInUse->clear();
    for (const std::string& name : names)
        framesInUse->addItem(QString::fromStdString(name));
}

QString ProjectSetupDialog::statusText() const
{
    return statusText_->text();
}

bool ProjectSetupDialog::framesDragOver(QObject* source) const
{
    return qobject_cast<QListWidget*>(source) != nullptr;
}

void ProjectSetupDialog::framesDragDrop(QObject* source)
{
    // Only files come in by drag; entries of a list box, "Use in Project"
    // itself included, are neither added nor moved.
    if (source != fileList)
        return;
    if (const QListWidgetItem* file = SelectedEntry(fileList))
        AddFrame(file->text());
}

void ProjectSetupDialog::onFileDoubleClicked()
{
    if (const QListWidgetItem* file = SelectedEntry(fileList))
        AddFrame(file->text());
}

void ProjectSetupDialog::onFramesKeyReleased(int key)
{
    if (key != Qt::Key_Delete)
        return;
    if (QListWidgetItem* entry = SelectedEntry(framesInUse))
        delete framesInUse->takeItem(framesInUse->row(entry));
}

void ProjectSetupDialog::onClearFrames()
{
    if (Sorting())
        SortFrames();
}

void ProjectSetupDialog::onListClicked(QListWidget* list)
{
    if (!previewCheck->isChecked())
        return;
    preview->show();
    if (const QListWidgetItem* entry = SelectedEntry(list))
        preview->LoadFile(folderPath_ + entry->text());
}

void ProjectSetupDialog::onPreviewClicked()
{
    preview->setVisible(previewCheck->isChecked());
}

void ProjectSetupDialog::onActivated()
{
    pages->setCurrentIndex(0);
    statusText_->setText(" " + projectPath_);
}

void ProjectSetupDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    onActivated();
}

bool ProjectSetupDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == framesInUse && event->type() == QEvent::KeyRelease) {
        onFramesKeyReleased(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
    if (watched != framesInUse->viewport())
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (framesDragOver(drag->source())) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        framesDragDrop(drop->source());
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

}  // namespace tolv::gui
