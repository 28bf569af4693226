#pragma once

#include <QDialog>
#include <QString>

namespace tolv::gui {

// A dialog with a Help button: it asks for its help topic through
// helpRequested, and whoever shows the help listens.
class HelpDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

signals:
    void helpRequested(const QString& topic);
};

}  // namespace tolv::gui
