#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tolv::gui {

// The program's message boxes go through here so that tests can answer them.
enum class MsgKind { Warning, Information, Confirm, Error };
// YesSaveAsCancel: "Yes", "Save As...", "Cancel"; OverwriteReloadCancel:
// "Overwrite", "Reload", "Cancel".
enum class MsgButtons { Ok, YesNo, YesNoCancel, YesSaveAsCancel, OverwriteReloadCancel };
enum class MsgResult { Ok, Yes, No, Cancel, SaveAs, Overwrite, Reload };

// Caption by kind: "Warning", "Information", "Confirm"; errors carry the
// application title "Tolvane".
QString MessageCaption(MsgKind kind);

// Shows a modal message box and returns the button pressed.
MsgResult ShowMessage(QWidget* parent, MsgKind kind, const QString& text, MsgButtons buttons = MsgButtons::Ok);
// The error box shown for an exception caught at the top of a user operation.
void ShowError(QWidget* parent, const QString& text);

// Tests install an answerer that records the box and returns the answer
// instead of showing it; an empty answerer restores the real boxes.
using MessageAnswerer = std::function<MsgResult(MsgKind kind, const QString& text, MsgButtons buttons)>;
void SetMessageAnswerer(MessageAnswerer answerer);

}  // namespace tolv::gui
