#pragma once

#include <QObject>

namespace tolv::gui {

class TMainForm;

// Lets the main window see the keys of its own controls first: every key
// release aimed at the window or one of its children goes to FormKeyUp
// instead, and Tab does not move the focus, since it selects regions.
// Keys of other windows (dialogs, menus) pass untouched.
class TKeyPreview : public QObject {
    Q_OBJECT
public:
    explicit TKeyPreview(TMainForm& form);
    ~TKeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TMainForm& form_;
};

}  // namespace tolv::gui
