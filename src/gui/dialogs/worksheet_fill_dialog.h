#pragma once

#include "extract/worksheet_template.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tolv::gui {

class SpinEdit;

// "Fill Worksheet": plans a whole worksheet from a range of the frame list and
// an output name template, and shows the rows it would write (or the reason it
// cannot) while the user types. It writes nothing itself: after OK the caller
// reads fill(). Kept between openings, so the template carries over.
class WorksheetFillDialog : public QDialog {
    Q_OBJECT
public:
    explicit WorksheetFillDialog(QWidget* parent = nullptr);

    // Before each opening: the frame list and the name {region} stands for.
    // The range becomes the whole frame list, every frame.
    void prepare(std::vector<std::string> frameNames, std::string regionName);
    // The worksheet the fill leaves, as planned for the values shown.
    const WorksheetFill& fill() const { return fill_; }

private:
    void replan();
    void showPlan(const QString& refusal);

    SpinEdit* fromSpin = nullptr;
    SpinEdit* toSpin = nullptr;
    SpinEdit* stepSpin = nullptr;
    QLineEdit* templateEdit = nullptr;
    QTreeWidget* previewList = nullptr;
    QLabel* planNote = nullptr;
    QPushButton* okButton = nullptr;

    std::vector<std::string> frameNames_;
    std::string regionName_;
    WorksheetFill fill_;
};

}  // namespace tolv::gui
