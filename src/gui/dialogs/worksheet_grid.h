#pragma once

#include "editor/worksheet_rules.h"

#include <QTableWidget>

#include <functional>

class QAction;
class QLineEdit;

namespace tolv::gui {

// The worksheet `worksheet`: 50 rows of a fixed row-number column, "Input frame"
// and "Output File". The cell editor is always open on the current cell, so
// typing edits it at once. An arrow key first completes the current cell's
// name with ".bmp" unless it is a BMP or PNG name (also while it is being
// edited; see CompleteBmpName); Left and Right then move to the neighbouring
// column unless they move the text cursor. Enter and Esc go on to the dialog.
// Frames dragged from a list box drop only onto Input frame cells. The current
// row can be inserted, deleted and cleared.
class WorksheetGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int Rows = 50;
    static constexpr int InputColumn = 1;
    static constexpr int OutputColumn = 2;

    explicit WorksheetGrid(QWidget* parent = nullptr);

    // Cells by 0-based row and column; the edited text counts for the cell
    // being edited.
    QString cells(int column, int row) const;
    void setCells(int column, int row, const QString& text);
    // Both columns of all rows at once.
    WorksheetCells worksheet() const;
    void setWorksheet(const WorksheetCells& cells);
    // Insert Row, Delete Row and Clear Row on the current row, with their
    // shortcuts, for the context menu and the dialog's buttons.
    QList<QAction*> rowActions() const;
    void numberRows();
    // Shows or removes the Output File column; a removed column keeps its text.
    void showOutputColumn(bool show);
    // Puts the editor on the first Input frame cell.
    void startEditing();
    // Stores the text of an open editor into its cell.
    void commitEditor();

    // The arrow-key completion of the current cell.
    void completeBmpName();
    // Drag and drop, by source widget and position in the viewport.
    bool sgListDragOver(QObject* source, const QPoint& pos) const;
    void sgListDragDrop(QObject* source, const QPoint& pos);

signals:
    // The text of a cell changed: typed, dropped, completed or set.
    void cellsChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

protected slots:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // The cell editor is always shown on the current cell.
    void openEditor();
    // The editor open on the current cell, if any.
    QLineEdit* currentEditor() const;
    // Connects an editor the delegate made: its context menu also holds the
    // row actions, and its text keeps Insert Row's enabling up to date.
    void adoptEditor(QLineEdit* editor);
    QAction* addRowAction(const char* name, const QString& text, const QString& buttonText, const QKeySequence& keys);
    // A row command of the core run on the current row.
    void editRows(const std::function<void(WorksheetCells&, int row)>& command);
    void onCellsChanged();
    // Left and Right that leave the editor for the neighbouring column.
    bool leavesEditor(const QObject* watched, const QKeyEvent& key) const;

    QAction* insertRowAction = nullptr;
    QAction* deleteRowAction = nullptr;
    QAction* clearRowAction = nullptr;
};

}  // namespace tolv::gui
