#include "gui/dialogs/worksheet_grid.h"

#include "editor/worksheet_rules.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QStyledItemDelegate>

namespace tolv::gui {

namespace {

bool IsEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Hands every editor to the grid's event filter, so the arrow keys complete
// the text being typed before the editor or the grid acts on them.
class WorksheetDelegate : public QStyledItemDelegate {
public:
    explicit WorksheetDelegate(WorksheetGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->installEventFilter(grid_);
        editor_ = editor;
        editorIndex_ = index;
        (void)option;
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (editor == editor_)
            editor_.clear();
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Enter goes on to the dialog's default button, which stores the text
    // being typed (WorksheetGrid::CommitEditor) as it closes the dialog.
    bool eventFilter(QObject* editor, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && IsEnterKey(static_cast<QKeyEvent*>(event)->key()))
            return false;
        return QStyledItemDelegate::eventFilter(editor, event);
    }

    QLineEdit* EditorFor(const QModelIndex& index) const
    {
        return editor_ && editorIndex_ == index ? editor_.data() : nullptr;
    }

private:
    WorksheetGrid* grid_;
    mutable QPointer<QLineEdit> editor_;
    mutable QPersistentModelIndex editorIndex_;
};

bool IsArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

}  // namespace

WorksheetGrid::WorksheetGrid(QWidget* parent) : QTableWidget(Rows, 3, parent)
{
    setObjectName("worksheet");
    setItemDelegate(new WorksheetDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(false);
    setColumnWidth(0, 30);
    setColumnWidth(InputColumn, 80);
    setColumnWidth(OutputColumn, 80);
    verticalHeader()->setMinimumSectionSize(1);
    for (int row = 0; row < Rows; ++row) {
        setRowHeight(row, row == 0 ? 17 : 16);
        auto* number = new QTableWidgetItem;
        number->setFlags(Qt::ItemIsEnabled);
        number->setBackground(palette().button());
        number->setTextAlignment(Qt::AlignCenter);
        setItem(row, 0, number);
        for (int column = InputColumn; column <= OutputColumn; ++column)
            setItem(row, column, new QTableWidgetItem);
    }
    NumberRows();
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

QString WorksheetGrid::Cells(int column, int row) const
{
    if (QLineEdit* editor = static_cast<WorksheetDelegate*>(itemDelegate())->EditorFor(model()->index(row, column)))
        return editor->text();
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void WorksheetGrid::SetCells(int column, int row, const QString& text)
{
    if (QLineEdit* editor = static_cast<WorksheetDelegate*>(itemDelegate())->EditorFor(model()->index(row, column)))
        editor->setText(text);
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
}

void WorksheetGrid::NumberRows()
{
    for (int row = 0; row < Rows; ++row)
        item(row, 0)->setText(QString::number(row + 1));
}

void WorksheetGrid::ShowOutputColumn(bool show)
{
    setColumnHidden(OutputColumn, !show);
}

void WorksheetGrid::StartEditing()
{
    setCurrentCell(0, InputColumn);
    OpenEditor();
}

void WorksheetGrid::OpenEditor()
{
    if (state() != EditingState && currentIndex().isValid())
        edit(currentIndex(), AllEditTriggers, nullptr);
}

void WorksheetGrid::CommitEditor()
{
    if (QLineEdit* editor = CurrentEditor())
        commitData(editor);
}

QLineEdit* WorksheetGrid::CurrentEditor() const
{
    return static_cast<WorksheetDelegate*>(itemDelegate())->EditorFor(currentIndex());
}

void WorksheetGrid::CompleteBmpName()
{
    const int row = currentRow();
    const int column = currentColumn();
    if (row < 0 || column <= 0)
        return;
    const QString text = Cells(column, row);
    const QString completed = QString::fromStdString(tolv::CompleteBmpName(text.toStdString()));
    if (completed != text)
        SetCells(column, row, completed);
}

void WorksheetGrid::keyPressEvent(QKeyEvent* event)
{
    if (IsEnterKey(event->key())) {
        event->ignore();
        return;
    }
    if (IsArrowKey(event->key()))
        CompleteBmpName();
    QTableWidget::keyPressEvent(event);
}

bool WorksheetGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && IsArrowKey(static_cast<QKeyEvent*>(event)->key()))
        CompleteBmpName();
    return QTableWidget::eventFilter(watched, event);
}

QModelIndex WorksheetGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The row-number column is fixed: the cursor never stands in it.
    const QModelIndex target = QTableWidget::moveCursor(action, modifiers);
    if (target.isValid() && target.column() == 0)
        return model()->index(target.row(), InputColumn);
    return target;
}

void WorksheetGrid::mousePressEvent(QMouseEvent* event)
{
    if (columnAt(event->position().toPoint().x()) == 0) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void WorksheetGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    OpenEditor();
}

void WorksheetGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableWidget::closeEditor(editor, hint);
    // The editor is always shown while the grid has the focus.
    if (hasFocus())
        OpenEditor();
}

bool WorksheetGrid::sgListDragOver(QObject* source, const QPoint& pos) const
{
    return qobject_cast<QListWidget*>(source) && columnAt(pos.x()) == InputColumn && rowAt(pos.y()) >= 0;
}

void WorksheetGrid::sgListDragDrop(QObject* source, const QPoint& pos)
{
    if (!sgListDragOver(source, pos))
        return;
    const QListWidgetItem* selected = static_cast<QListWidget*>(source)->currentItem();
    if (selected)
        SetCells(InputColumn, rowAt(pos.y()), selected->text());
}

void WorksheetGrid::dragEnterEvent(QDragEnterEvent* event)
{
    if (qobject_cast<QListWidget*>(event->source())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void WorksheetGrid::dragMoveEvent(QDragMoveEvent* event)
{
    if (sgListDragOver(event->source(), event->position().toPoint())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void WorksheetGrid::dropEvent(QDropEvent* event)
{
    // A copy, never a move: the frame stays in the source list.
    sgListDragDrop(event->source(), event->position().toPoint());
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

}  // namespace tolv::gui
