// The handlers of the Project Setup dialog's controls.
#include "gui/dialogs/bgrnd_options.h"

#include "gui/app/message_box.h"
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

bool TBgrndOptions::AddFrame(const QString& name)
{
    if (FrameListFull(std::size_t(Bkgrnd->count()))) {
        ShowMessage(this, MsgKind::Information, FrameListFullMessage);
        return false;
    }
    if (Sorting())
        Bkgrnd->insertItem(int(SortedInsertIndex(FrameNames(), name.toStdString())), name);
    else
        Bkgrnd->addItem(name);
    return true;
}

void TBgrndOptions::SortFrames()
{
    std::vector<std::string> names = FrameNames();
    SortIgnoringCase(names);
    Bkgrnd->clear();
    for (const std::string& name : names)
        Bkgrnd->addItem(QString::fromStdString(name));
}

QString TBgrndOptions::StatusText() const
{
    return statusText_->text();
}

bool TBgrndOptions::BkgrndDragOver(QObject* source) const
{
    return qobject_cast<QListWidget*>(source) != nullptr;
}

void TBgrndOptions::BkgrndDragDrop(QObject* source)
{
    // Only files come in by drag; entries of a list box, "Use in Project"
    // itself included, are neither added nor moved.
    if (source != FileList)
        return;
    if (const QListWidgetItem* file = SelectedEntry(FileList))
        AddFrame(file->text());
}

void TBgrndOptions::FileListDblClick()
{
    if (const QListWidgetItem* file = SelectedEntry(FileList))
        AddFrame(file->text());
}

void TBgrndOptions::BkgrndKeyUp(int key)
{
    if (key != Qt::Key_Delete)
        return;
    if (QListWidgetItem* entry = SelectedEntry(Bkgrnd))
        delete Bkgrnd->takeItem(Bkgrnd->row(entry));
}

void TBgrndOptions::BitBtn5Click()
{
    if (Sorting())
        SortFrames();
}

void TBgrndOptions::ListClick(QListWidget* list)
{
    if (!cb_preview->isChecked())
        return;
    PreImage->show();
    if (const QListWidgetItem* entry = SelectedEntry(list))
        PreImage->LoadFile(folderPath_ + entry->text());
}

void TBgrndOptions::cb_previewClick()
{
    PreImage->setVisible(cb_preview->isChecked());
}

void TBgrndOptions::FormActivate()
{
    Pages->setCurrentIndex(0);
    statusText_->setText(" " + projectPath_);
}

void TBgrndOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

bool TBgrndOptions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Bkgrnd && event->type() == QEvent::KeyRelease) {
        BkgrndKeyUp(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
    if (watched != Bkgrnd->viewport())
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (BkgrndDragOver(drag->source())) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        BkgrndDragDrop(drop->source());
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

}  // namespace tolv::gui
