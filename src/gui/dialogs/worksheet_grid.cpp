#include "gui/dialogs/worksheet_grid.h"

#include "editor/worksheet_rules.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QStyledItemDelegate>

#include <memory>

namespace tolv::gui {

namespace {

bool IsEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool GoesToTheDialog(int key)
{
    return IsEnterKey(key) || key == Qt::Key_Escape;
}

// Hands every editor to the grid's event filter, so the arrow keys complete
// the text being typed before the editor or the grid acts on them.
class WorksheetDelegate : public QStyledItemDelegate {
public:
    WorksheetDelegate(WorksheetGrid* grid, std::function<void(QLineEdit*)> adopt)
        : QStyledItemDelegate(grid), grid_(grid), adopt_(std::move(adopt))
    {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->installEventFilter(grid_);
        adopt_(editor);
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
    // being typed (WorksheetGrid::commitEditor) as it closes the dialog; Esc
    // goes on to cancel the dialog rather than the text.
    bool eventFilter(QObject* editor, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && GoesToTheDialog(static_cast<QKeyEvent*>(event)->key()))
            return false;
        return QStyledItemDelegate::eventFilter(editor, event);
    }

    QLineEdit* EditorFor(const QModelIndex& index) const
    {
        return editor_ && editorIndex_ == index ? editor_.data() : nullptr;
    }

private:
    WorksheetGrid* grid_;
    std::function<void(QLineEdit*)> adopt_;
    mutable QPointer<QLineEdit> editor_;
    mutable QPersistentModelIndex editorIndex_;
};

bool IsArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

CellCursor CursorOf(const QLineEdit& editor)
{
    return {int(editor.text().size()), editor.cursorPosition(), int(editor.selectedText().size())};
}

}  // namespace

WorksheetGrid::WorksheetGrid(QWidget* parent) : QTableWidget(Rows, 3, parent)
{
    setObjectName("worksheet");
    setItemDelegate(new WorksheetDelegate(this, [this](QLineEdit* editor) { adoptEditor(editor); }));
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
    numberRows();
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);

    // Insert, Delete and Ctrl+Delete belong to the text being typed; these
    // keys are the grid's alone.
    insertRowAction = addRowAction("insertRowAction", "&Insert Row", "Insert", Qt::Key_Insert);
    deleteRowAction = addRowAction("deleteRowAction", "&Delete Row", "Delete", QKeySequence(Qt::CTRL | Qt::Key_Minus));
    clearRowAction =
        addRowAction("clearRowAction", "&Clear Row", "Clear", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
    insertRowAction->setToolTip("Insert an empty row above the current row (Insert)");
    deleteRowAction->setToolTip("Delete the current row; the rows below move up (Ctrl+-)");
    clearRowAction->setToolTip("Empty both cells of the current row (Ctrl+Shift+Del)");
    connect(insertRowAction, &QAction::triggered, this, [this] { editRows(InsertRow); });
    connect(deleteRowAction, &QAction::triggered, this, [this] { editRows(DeleteRow); });
    connect(clearRowAction, &QAction::triggered, this, [this] {
        editRows([](WorksheetCells& cells, int row) { cells.InputFrame[row] = cells.OutputFile[row] = {}; });
    });
    connect(this, &QTableWidget::itemChanged, this, &WorksheetGrid::onCellsChanged);
}

QAction* WorksheetGrid::addRowAction(const char* name, const QString& text, const QString& buttonText,
                                     const QKeySequence& keys)
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setIconText(buttonText);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    return action;
}

QList<QAction*> WorksheetGrid::rowActions() const
{
    return {insertRowAction, deleteRowAction, clearRowAction};
}

WorksheetCells WorksheetGrid::worksheet() const
{
    WorksheetCells result;
    for (int row = 0; row < Rows; ++row) {
        result.InputFrame[row] = cells(InputColumn, row).toStdString();
        result.OutputFile[row] = cells(OutputColumn, row).toStdString();
    }
    return result;
}

void WorksheetGrid::setWorksheet(const WorksheetCells& cells)
{
    {
        // One update of the row actions for the whole sheet, not one per cell.
        const QSignalBlocker quiet(this);
        for (int row = 0; row < Rows; ++row) {
            setCells(InputColumn, row, QString::fromStdString(cells.InputFrame[row]));
            setCells(OutputColumn, row, QString::fromStdString(cells.OutputFile[row]));
        }
    }
    onCellsChanged();
}

void WorksheetGrid::editRows(const std::function<void(WorksheetCells&, int row)>& command)
{
    if (currentRow() < 0)
        return;
    WorksheetCells cells = worksheet();
    command(cells, currentRow());
    setWorksheet(cells);
}

void WorksheetGrid::onCellsChanged()
{
    insertRowAction->setEnabled(CanInsertRow(worksheet()));
    emit cellsChanged();
}

void WorksheetGrid::adoptEditor(QLineEdit* editor)
{
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QLineEdit::customContextMenuRequested, editor, [this, editor](const QPoint& pos) {
        const std::unique_ptr<QMenu> menu(editor->createStandardContextMenu());
        menu->addSeparator();
        menu->addActions(rowActions());
        menu->exec(editor->mapToGlobal(pos));
    });
    connect(editor, &QLineEdit::textChanged, this, &WorksheetGrid::onCellsChanged);
}

void WorksheetGrid::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu;
    menu.addActions(rowActions());
    menu.exec(event->globalPos());
}

QString WorksheetGrid::cells(int column, int row) const
{
    if (QLineEdit* editor = static_cast<WorksheetDelegate*>(itemDelegate())->EditorFor(model()->index(row, column)))
        return editor->text();
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void WorksheetGrid::setCells(int column, int row, const QString& text)
{
    if (QLineEdit* editor = static_cast<WorksheetDelegate*>(itemDelegate())->EditorFor(model()->index(row, column)))
        editor->setText(text);
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
}

void WorksheetGrid::numberRows()
{
    for (int row = 0; row < Rows; ++row)
        item(row, 0)->setText(QString::number(row + 1));
}

void WorksheetGrid::showOutputColumn(bool show)
{
    setColumnHidden(OutputColumn, !show);
}

void WorksheetGrid::startEditing()
{
    setCurrentCell(0, InputColumn);
    openEditor();
}

void WorksheetGrid::openEditor()
{
    if (state() != EditingState && currentIndex().isValid())
        edit(currentIndex(), AllEditTriggers, nullptr);
}

void WorksheetGrid::commitEditor()
{
    if (QLineEdit* editor = currentEditor())
        commitData(editor);
}

QLineEdit* WorksheetGrid::currentEditor() const
{
    return static_cast<WorksheetDelegate*>(itemDelegate())->EditorFor(currentIndex());
}

void WorksheetGrid::completeBmpName()
{
    const int row = currentRow();
    const int column = currentColumn();
    if (row < 0 || column <= 0)
        return;
    const QString text = cells(column, row);
    const QString completed = QString::fromStdString(tolv::CompleteBmpName(text.toStdString()));
    if (completed != text)
        setCells(column, row, completed);
}

void WorksheetGrid::keyPressEvent(QKeyEvent* event)
{
    if (GoesToTheDialog(event->key())) {
        event->ignore();
        return;
    }
    if (IsArrowKey(event->key()))
        completeBmpName();
    QTableWidget::keyPressEvent(event);
}

bool WorksheetGrid::leavesEditor(const QObject* watched, const QKeyEvent& key) const
{
    const QLineEdit* editor = currentEditor();
    // A held Shift or Ctrl selects or jumps within the text.
    if (watched != editor || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (key.key() != Qt::Key_Left && key.key() != Qt::Key_Right)
        return false;
    return ArrowLeavesCell(CursorOf(*editor), key.key() == Qt::Key_Left ? ArrowSide::Left : ArrowSide::Right);
}

bool WorksheetGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QTableWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // Decided before the completion changes the text and its cursor.
    const bool leaves = leavesEditor(watched, *key);
    if (IsArrowKey(key->key()))
        completeBmpName();
    if (leaves) {
        QTableWidget::keyPressEvent(key);
        return true;
    }
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
    openEditor();
    // The editor may have been opened while another control had the focus.
    if (QLineEdit* editor = currentEditor())
        editor->setFocus();
}

void WorksheetGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableWidget::closeEditor(editor, hint);
    // The editor is always shown while the grid has the focus.
    if (hasFocus())
        openEditor();
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
        setCells(InputColumn, rowAt(pos.y()), selected->text());
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
