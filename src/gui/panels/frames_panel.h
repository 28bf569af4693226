#pragma once

#include "document/document.h"

#include <QDockWidget>

#include <functional>

class QListView;

namespace tolv::gui {

class FrameStripModel;

// The Frames strip: the project's frames as small pictures in play order,
// the frame shown highlighted and the frames the current region's worksheet
// takes marked. A click shows the frame; Alt and a click puts the frame into
// the current region's worksheet or takes it out, one undoable step.
class FramesPanel : public QDockWidget {
    Q_OBJECT
public:
    // `showFrame` shows the frame at a position (from 1) on the canvas;
    // `toggleFrame` puts it into the current region's worksheet or out.
    FramesPanel(Document& document, std::function<void(int)> showFrame, std::function<void(int)> toggleFrame,
                QWidget* parent);

    QListView& strip() { return *view_; }
    // The canvas showed another frame, which the strip then highlights.
    void followShownFrame();

private:
    void clicked(int position);

    Document& document_;
    std::function<void(int)> showFrame_;
    std::function<void(int)> toggleFrame_;
    FrameStripModel* model_ = nullptr;
    QListView* view_ = nullptr;
};

}  // namespace tolv::gui
