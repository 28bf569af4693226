#include "gui/panels/regions_panel.h"

#include "editor/selection.h"
#include "gui/panels/region_list_model.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace tolv::gui {

namespace {

// A list whose selection only the document sets: a click, or a key that
// moves to another line, is told to the panel, which asks the document,
// whose notification then shows it.
class DocumentSelectedList : public QTreeView {
public:
    using QTreeView::QTreeView;

    std::function<void(const QModelIndex&)> movedTo;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex&, const QEvent*) const override
    {
        return QItemSelectionModel::NoUpdate;
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const QModelIndex before = currentIndex();
        QTreeView::keyPressEvent(event);
        if (currentIndex().isValid() && currentIndex() != before)
            movedTo(currentIndex());
    }
};

}  // namespace

RegionsPanel::RegionsPanel(Document& document, std::function<void()> openProperties, QWidget* parent)
    : QDockWidget("Regions", parent), document_(document), openProperties_(std::move(openProperties))
{
    setObjectName("regionsPanel");
    model_ = new RegionListModel(document_, this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setFilterKeyColumn(RegionListModel::NameColumn);
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    filter_ = new QLineEdit(body);
    filter_->setObjectName("regionFilter");
    filter_->setPlaceholderText("Filter by name");
    filter_->setClearButtonEnabled(true);
    auto* list = new DocumentSelectedList(body);
    list->movedTo = [this](const QModelIndex& index) { pressed(index); };
    view_ = list;
    view_->setObjectName("regionList");
    view_->setModel(proxy_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setDragDropMode(QAbstractItemView::InternalMove);
    view_->setDefaultDropAction(Qt::MoveAction);
    view_->header()->setStretchLastSection(false);
    view_->header()->setSectionResizeMode(RegionListModel::NameColumn, QHeaderView::Stretch);
    view_->header()->setSectionResizeMode(RegionListModel::RowsColumn, QHeaderView::ResizeToContents);
    layout->addWidget(filter_);
    layout->addWidget(view_);
    setWidget(body);

    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        proxy_->setFilterFixedString(text);
        showSelection();
    });
    connect(view_, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) { pressed(index); });
    connect(view_, &QAbstractItemView::doubleClicked, this, [this] { openProperties_(); });
    connect(model_, &RegionListModel::selectionMoved, this, [this] { showSelection(); });
    showSelection();
}

QModelIndex RegionsPanel::lineOf(int position) const
{
    return proxy_->mapFromSource(model_->index(position, RegionListModel::NameColumn));
}

void RegionsPanel::pressed(const QModelIndex& index)
{
    const int position = proxy_->mapToSource(index).row();
    const Project& project = document_.project();
    if (position < 0 || position >= int(project.Regions.size()))
        return;
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    const bool extend = modifiers.testAnyFlags(Qt::ShiftModifier | Qt::ControlModifier);
    const SelectionState state = project.selection.stateOf(*project.Regions[std::size_t(position)]);
    if (const std::optional<SelectionOp> op = ListClickOp(state, extend, position))
        document_.changeSelection(*op);
}

void RegionsPanel::showSelection()
{
    const Selection& selection = document_.project().selection;
    QItemSelection lines;
    for (const int position : selection.positions()) {
        const QModelIndex line = lineOf(position);
        if (line.isValid())
            lines.select(line, line.siblingAtColumn(RegionListModel::RowsColumn));
    }
    QItemSelectionModel* model = view_->selectionModel();
    model->select(lines, QItemSelectionModel::ClearAndSelect);
    const Region* current = selection.current();
    const QModelIndex currentLine = current ? lineOf(selection.positionOf(*current)) : QModelIndex();
    model->setCurrentIndex(currentLine, QItemSelectionModel::NoUpdate);
    if (currentLine.isValid())
        view_->scrollTo(currentLine);
}

}  // namespace tolv::gui
