#include "gui/common/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

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

struct BoxButton {
    MsgResult result;
    QString text;
    QMessageBox::ButtonRole role;
};

// In the order shown; Cancel (or the only button) also answers Esc.
std::vector<BoxButton> ButtonsFor(MsgButtons buttons)
{
    const BoxButton yes{MsgResult::Yes, QMessageBox::tr("&Yes"), QMessageBox::YesRole};
    const BoxButton cancel{MsgResult::Cancel, QMessageBox::tr("Cancel"), QMessageBox::RejectRole};
    switch (buttons) {
    case MsgButtons::Ok:
        return {{MsgResult::Ok, QMessageBox::tr("OK"), QMessageBox::AcceptRole}};
    case MsgButtons::YesNo:
        return {yes, {MsgResult::No, QMessageBox::tr("&No"), QMessageBox::NoRole}};
    case MsgButtons::YesNoCancel:
        return {yes, {MsgResult::No, QMessageBox::tr("&No"), QMessageBox::NoRole}, cancel};
    case MsgButtons::YesSaveAsCancel:
        return {yes, {MsgResult::SaveAs, QMessageBox::tr("Save &As..."), QMessageBox::ActionRole}, cancel};
    case MsgButtons::OverwriteReloadCancel:
        return {{MsgResult::Overwrite, QMessageBox::tr("&Overwrite"), QMessageBox::DestructiveRole},
                {MsgResult::Reload, QMessageBox::tr("&Reload"), QMessageBox::ActionRole},
                cancel};
    }
    return {};
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
    QMessageBox box(IconFor(kind), MessageCaption(kind), text, QMessageBox::NoButton, parent);
    const std::vector<BoxButton> offered = ButtonsFor(buttons);
    std::vector<QPushButton*> shown;
    for (const BoxButton& button : offered)
        shown.push_back(box.addButton(button.text, button.role));
    box.setDefaultButton(shown.front());
    box.setEscapeButton(shown.back());
    box.exec();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (box.clickedButton() == shown[i])
            return offered[i].result;
    }
    return offered.back().result;
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
