#pragma once

#include <QObject>

#include <unordered_map>
#include <unordered_set>

class QKeyEvent;
class QWidget;

namespace tolv::gui {

class FrameCanvas;
class RegionCommands;

// Tells the presses and releases of a held key from those of a key typed
// again. X servers without detectable auto-repeat send a held key as pairs
// of release and press with one time stamp, which Qt does not always flag;
// from such a pair on, the key counts as held until it is pressed afresh.
// Events without a time stamp (synthesised ones) are never taken for repeats.
class KeyRepeats {
public:
    // Call for every press and shortcut check; true for a repeat.
    bool pressRepeats(const QKeyEvent& key);
    // Call for every release; true when the release belongs to a held key.
    bool releaseRepeats(const QKeyEvent& key);

private:
    std::unordered_map<int, unsigned long> releasedAt_;
    std::unordered_set<int> held_;
};

// Lets the main window see the keys of its own controls first: every key
// press aimed at the window or one of its children goes to the region commands,
// which run the command of the keyboard map with the modifiers held at that
// moment, once per key stroke; a press that runs a command goes no further,
// others reach the control as usual. Releases go there too (the end
// of a run of nudges). Tab does not move the focus, since it selects
// regions. A held key repeats no command, neither a shortcut nor the keyboard
// map. Space tells the canvas whether it is held (it pans). Keys of other
// windows (dialogs, menus) and of the fields that take text pass untouched.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    KeyPreview(QWidget& window, RegionCommands& commands, FrameCanvas& canvas);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    RegionCommands& commands_;
    FrameCanvas& canvas_;
    KeyRepeats repeats_;
};

}  // namespace tolv::gui
