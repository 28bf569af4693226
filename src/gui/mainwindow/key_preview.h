#pragma once

#include <QObject>

namespace tolv::gui {

class MainWindow;

// Lets the main window see the keys of its own controls first: every key
// release aimed at the window or one of its children goes to onKeyReleased
// instead, and Tab does not move the focus, since it selects regions.
// Keys of other windows (dialogs, menus) pass untouched.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    explicit KeyPreview(MainWindow& form);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& form_;
};

}  // namespace tolv::gui
