// The handlers of the Project Setup dialog's controls.
#include "gui/dialogs/project_setup_dialog.h"

#include "gui/common/message_box.h"
#include "gui/dialogs/preview_image.h"
#include "project/frame_list_rules.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace tolv::gui {

namespace {

QListWidgetItem* SelectedEntry(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

}  // namespace

bool ProjectSetupDialog::addFrame(const QString& name)
{
    if (FrameListFull(std::size_t(framesInUse->count()))) {
        ShowMessage(this, MsgKind::Information, FrameListFullMessage);
        return false;
    }
    if (sorting())
        framesInUse->insertItem(int(SortedInsertIndex(frameNames(), name.toStdString())), name);
    else
        framesInUse->addItem(name);
    return true;
}

void ProjectSetupDialog::sortFrames()
{
    std::vector<std::string> names = frameNames();
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

void ProjectSetupDialog::framesDragDrop(QObject* source, const QPoint& pos)
{
    // Files come in from the file list; "Use in Project" moves its own
    // entries unless sorting keeps their order; other list boxes add nothing.
    if (source == framesInUse && !sorting())
        reorder(OrderMovedTo(std::size_t(framesInUse->count()), selectedRows(), dropRow(pos)));
    if (source != fileList)
        return;
    if (const QListWidgetItem* file = SelectedEntry(fileList))
        addFrame(file->text());
}

std::size_t ProjectSetupDialog::dropRow(const QPoint& pos) const
{
    const QModelIndex under = framesInUse->indexAt(pos);
    if (!under.isValid())
        return std::size_t(framesInUse->count());
    const QRect rect = framesInUse->visualRect(under);
    return std::size_t(under.row() + (pos.y() > rect.center().y() ? 1 : 0));
}

std::vector<std::size_t> ProjectSetupDialog::selectedRows() const
{
    std::vector<std::size_t> rows;
    for (int row = 0; row < framesInUse->count(); ++row)
        if (framesInUse->item(row)->isSelected())
            rows.push_back(std::size_t(row));
    return rows;
}

void ProjectSetupDialog::reorder(const std::vector<std::size_t>& order)
{
    if (!MovesAnything(order))
        return;
    const std::vector<std::size_t> selected = selectedRows();
    const QStringList listed = frames();
    framesInUse->clear();
    for (const std::size_t old : order) {
        framesInUse->addItem(listed[qsizetype(old)]);
        framesInUse->item(framesInUse->count() - 1)
            ->setSelected(std::binary_search(selected.begin(), selected.end(), old));
    }
    // The keyboard goes on from the first moved entry.
    const auto first = std::find_if(order.begin(), order.end(), [&selected](std::size_t old) {
        return std::binary_search(selected.begin(), selected.end(), old);
    });
    if (first != order.end())
        framesInUse->setCurrentRow(int(first - order.begin()), QItemSelectionModel::NoUpdate);
    updateMoveButtons();
}

void ProjectSetupDialog::updateMoveButtons()
{
    const std::size_t count = std::size_t(framesInUse->count());
    const std::vector<std::size_t> selected = selectedRows();
    moveUpButton->setEnabled(!sorting() && MovesAnything(OrderMovedUp(count, selected)));
    moveDownButton->setEnabled(!sorting() && MovesAnything(OrderMovedDown(count, selected)));
}

void ProjectSetupDialog::onMoveUp()
{
    if (!sorting())
        reorder(OrderMovedUp(std::size_t(framesInUse->count()), selectedRows()));
}

void ProjectSetupDialog::onMoveDown()
{
    if (!sorting())
        reorder(OrderMovedDown(std::size_t(framesInUse->count()), selectedRows()));
}

void ProjectSetupDialog::onFileDoubleClicked()
{
    if (const QListWidgetItem* file = SelectedEntry(fileList))
        addFrame(file->text());
}

void ProjectSetupDialog::onFramesKeyReleased(int key)
{
    if (key != Qt::Key_Delete)
        return;
    const std::vector<std::size_t> selected = selectedRows();
    for (auto row = selected.rbegin(); row != selected.rend(); ++row)
        delete framesInUse->takeItem(int(*row));
}

void ProjectSetupDialog::onClearFrames()
{
    if (sorting())
        sortFrames();
}

void ProjectSetupDialog::onListClicked(QListWidget* list)
{
    if (!previewCheck->isChecked())
        return;
    preview->show();
    if (const QListWidgetItem* entry = SelectedEntry(list))
        preview->loadFile(folderPath_ + entry->text());
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
        // The list draws where its own entries would land.
        if (drag->source() == framesInUse && !sorting())
            return false;
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
        framesDragDrop(drop->source(), drop->position().toPoint());
        // Never a move for the drag itself, which would take the entries out
        // of their source list.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // Ends the list's own drop marker, as a drag that leaves it does.
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(framesInUse->viewport(), &leave);
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

}  // namespace tolv::gui
