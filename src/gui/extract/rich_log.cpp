#include "gui/extract/rich_log.h"

#include "gui/common/qt_colour.h"
#include "gui/common/readable_colour.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace tolv::gui {

RichLog::RichLog(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont tahoma("Tahoma");
    tahoma.setPointSize(8);
    setFont(tahoma);
}

void RichLog::logLine(const std::string& text, Color color)
{
    QTextCharFormat format;
    format.setForeground(ReadableOn(ToQColor(color), palette().color(QPalette::Base)));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (empty_)
        cursor.setBlockCharFormat(format);
    else
        cursor.insertBlock(QTextBlockFormat(), format);
    cursor.insertText(QString::fromStdString(text), format);
    empty_ = false;
    showNow();
}

void RichLog::progress(int framesDone, int framesToDo)
{
    if (!progress_)
        return;
    progress_->setRange(0, std::max(framesToDo, 1));
    progress_->setValue(std::min(framesDone, progress_->maximum()));
    progress_->repaint();
}

void RichLog::clearLines()
{
    clear();
    empty_ = true;
    if (progress_)
        progress_->reset();
}

void RichLog::showNow()
{
    // The run blocks the event loop; paint the new line now, without letting
    // clicks or keys in while the run is under way, unless a gate sorts them.
    // Input held back once is not delivered by a later call that lets input
    // through (the platform keeps it aside), so a run holds all of it back or
    // lets all of it through.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->repaint();
    QCoreApplication::processEvents(inputGated_ ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

int RichLog::lineCount() const
{
    return empty_ ? 0 : document()->blockCount();
}

QString RichLog::line(int i) const
{
    return document()->findBlockByNumber(i).text();
}

QColor RichLog::lineColor(int i) const
{
    return document()->findBlockByNumber(i).charFormat().foreground().color();
}

}  // namespace tolv::gui
