#include "gui/common/message_box.h"

#include <QMessageBox>

namespace tolv::gui {

namespace {

MessageAnswerer& Answerer()
{
    static MessageAnswerer answerer;
    return answerer;
}

QMessageBox::Icon IconFor(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning:
        return QMessageBox::Warning;
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Confirm:
        return QMessageBox::Question;
    case MsgKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsFor(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MsgResult ResultOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return MsgResult::Ok;
    }
}

}  // namespace

QString MessageCaption(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning:
        return QStringLiteral("Warning");
    case MsgKind::Information:
        return QStringLiteral("Information");
    case MsgKind::Confirm:
        return QStringLiteral("Confirm");
    case MsgKind::Error:
        return QStringLiteral("Tolvane");
    }
    return {};
}

MsgResult ShowMessage(QWidget* parent, MsgKind kind, const QString& text, MsgButtons buttons)
{
    if (Answerer())
        return Answerer()(kind, text, buttons);
    QMessageBox box(IconFor(kind), MessageCaption(kind), text, ButtonsFor(buttons), parent);
    return ResultOf(box.exec());
}

void ShowError(QWidget* parent, const QString& text)
{
    ShowMessage(parent, MsgKind::Error, text, MsgButtons::Ok);
}

void SetMessageAnswerer(MessageAnswerer answerer)
{
    Answerer() = std::move(answerer);
}

}  // namespace tolv::gui
