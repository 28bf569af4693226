#include "gui/app/session_guard.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace tolv::gui {

namespace {

// A signal handler may only write to a pipe; the GUI thread reads it.
int signalPipe[2] = {-1, -1};

void ForwardSignal(int signal)
{
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
}

void EndBySignal(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void InstallSessionGuard(QApplication& app, std::function<void()> saveSession)
{
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [saveSession](QSessionManager&) { saveSession(); });
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [saveSession] {
        unsigned char signal = 0;
        if (::read(signalPipe[0], &signal, 1) != 1)
            return;
        saveSession();
        EndBySignal(signal);
    });
    struct sigaction action {};
    action.sa_handler = ForwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

}  // namespace tolv::gui
