#include "gui/dialogs/worksheet_fill_dialog.h"

#include "gui/dialogs/dialog_style.h"
#include "gui/dialogs/spin_edit.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace tolv::gui {

namespace {

constexpr int ClientWidth = 400;
constexpr int ClientHeight = 306;

SpinEdit* AddPositionSpin(QWidget* parent, const char* name, const QString& caption, int left)
{
    auto* spin = new SpinEdit(1, MaxFrames, 1, parent);
    spin->setObjectName(name);
    Place(spin, left + 34, 12, 57, 22);
    AddLabel(parent, caption, left, 16, spin);
    return spin;
}

}  // namespace

WorksheetFillDialog::WorksheetFillDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("worksheetFill");
    setWindowTitle("Fill Worksheet");
    UseDialogFont(this);
    setFixedSize(ClientWidth, ClientHeight);
    fromSpin = AddPositionSpin(this, "fromSpin", "&From", 8);
    toSpin = AddPositionSpin(this, "toSpin", "&To", 124);
    stepSpin = AddPositionSpin(this, "stepSpin", "&Step", 240);
    AddNote(this, "Positions in the project's frame list.", 8, 40);

    templateEdit = AddControl<QLineEdit>(this, "templateEdit", {8, 78, 384, 21}, "{region}_{n:03}.bmp");
    AddLabel(this, "&Output file name", 8, 62, templateEdit);
    AddNote(this, "{region} region name, {frame} frame name, {n} row number, {n:03} as 001", 8, 102);

    previewList = AddControl<QTreeWidget>(this, "previewList", {8, 122, 384, 120});
    previewList->setHeaderLabels({"Row", "Input frame", "Output File"});
    previewList->setRootIsDecorated(false);
    previewList->setFocusPolicy(Qt::NoFocus);
    previewList->header()->resizeSection(0, 36);
    previewList->header()->resizeSection(1, 150);

    planNote = AddControl<QLabel>(this, "planNote", {8, 246, 384, 28});
    planNote->setWordWrap(true);
    planNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    okButton = AddOkCancel(this, this, {118, 276}, {206, 276}).first;

    for (SpinEdit* spin : {fromSpin, toSpin, stepSpin})
        connect(spin, &QSpinBox::valueChanged, this, &WorksheetFillDialog::replan);
    connect(templateEdit, &QLineEdit::textChanged, this, &WorksheetFillDialog::replan);
}

void WorksheetFillDialog::prepare(std::vector<std::string> frameNames, std::string regionName)
{
    frameNames_ = std::move(frameNames);
    regionName_ = std::move(regionName);
    const QSignalBlocker blockFrom(fromSpin), blockTo(toSpin), blockStep(stepSpin);
    fromSpin->setValue(1);
    toSpin->setValue(std::max(int(frameNames_.size()), 1));
    stepSpin->setValue(1);
    replan();
    templateEdit->setFocus();
    templateEdit->selectAll();
}

void WorksheetFillDialog::replan()
{
    try {
        fill_ = PlanFill(frameNames_, regionName_, {fromSpin->value(), toSpin->value(), stepSpin->value()},
                         templateEdit->text().toStdString());
        showPlan(QString());
    } catch (const FillError& error) {
        fill_ = {};
        showPlan(QString::fromStdString(error.what()));
    }
}

void WorksheetFillDialog::showPlan(const QString& refusal)
{
    previewList->clear();
    for (int row = 0; row < fill_.rows; ++row)
        previewList->addTopLevelItem(
            new QTreeWidgetItem({QString::number(row + 1), QString::fromStdString(fill_.InputFrame[row]),
                                 QString::fromStdString(fill_.OutputFile[row])}));
    okButton->setEnabled(refusal.isEmpty());
    SetTextColour(planNote, refusal.isEmpty() ? QColor(0x80, 0, 0) : QColor(Qt::red));
    const QString rows = fill_.rows == 1 ? QString("this row") : QString("these %1 rows").arg(fill_.rows);
    planNote->setText(refusal.isEmpty() ? "OK replaces the whole worksheet with " + rows + "." : refusal);
}

}  // namespace tolv::gui
