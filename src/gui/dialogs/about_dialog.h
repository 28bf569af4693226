#pragma once

#include <QDialog>

namespace tolv::gui {

// The About box: the program's short name, what it does and its version. No data, no
// effect on the project; Escape, "&Close" or the close box close it.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace tolv::gui
