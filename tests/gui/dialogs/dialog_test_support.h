#pragma once

#include "gui/common/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QString>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tolv::gui::test {

// A control found by its system name; a missing one fails the test.
template <class W>
W* Child(const QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Makes a shown window the active one, so that keys reach its focus.
inline void ActivateWindow(QWidget& window)
{
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        ADD_FAILURE() << "window not active";
}

inline void ShowActive(QWidget& window)
{
    window.show();
    ActivateWindow(window);
}

// Runs a dialog modally; `whileOpen` runs once it is shown. A dialog that is
// still open afterwards is cancelled, so a failing test cannot hang.
inline int RunModal(QDialog& dialog, const std::function<void()>& whileOpen)
{
    QTimer::singleShot(0, &dialog, [&dialog, whileOpen] {
        ActivateWindow(dialog);
        whileOpen();
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.exec();
}

// Answers every message box with `answer` and records its text while alive.
class MessageRecorder {
public:
    explicit MessageRecorder(MsgResult answer = MsgResult::Ok) : answer_(answer)
    {
        SetMessageAnswerer([this](MsgKind kind, const QString& text, MsgButtons) {
            kinds.push_back(kind);
            texts.push_back(text);
            if (onMessage)
                onMessage();
            return answer_;
        });
    }
    ~MessageRecorder() { SetMessageAnswerer({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Answer(MsgResult answer) { answer_ = answer; }

    std::vector<MsgKind> kinds;
    std::vector<QString> texts;
    std::function<void()> onMessage;

private:
    MsgResult answer_;
};

// A plain 24-bit BMP file of one colour.
inline void WriteBmp(const std::string& path, int width, int height, QColor colour = Qt::red)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    image.save(QString::fromStdString(path), "BMP");
}

}  // namespace tolv::gui::test
