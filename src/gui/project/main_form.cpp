#include "gui/project/main_form.h"

#include "gui/app/help_router.h"
#include "gui/app/message_box.h"
#include "gui/app/user_operation.h"
#include "gui/editor/backgrnd.h"
#include "gui/project/key_preview.h"
#include "gui/project/recovery_keeper.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>

namespace tolv::gui {

TMainForm::TMainForm(const StartupOptions& startup) : startup_(startup)
{
    setObjectName("MainForm");
    setWindowTitle("Quillard");
    BuildMenus();
    BuildContextMenu();
    BuildToolBar();
    BuildStatusBar();

    ui_.SB1 = new QScrollArea(this);
    ui_.SB1->setObjectName("SB1");
    ui_.SB1->setFrameShape(QFrame::NoFrame);
    ui_.SB1->setWidgetResizable(false);
    ui_.SB1->setFocusPolicy(Qt::StrongFocus);
    ui_.SB1->viewport()->setCursor(Qt::CrossCursor);
    backgrnd_ = new TBackgrnd(*this, ui_.SB1);
    ui_.SB1->setWidget(backgrnd_);
    setCentralWidget(ui_.SB1);

    helpRouter_ = std::make_unique<THelpRouter>();
    recovery_ = new RecoveryKeeper(project_, startup_.RecoveryFolder, this);
    ConnectCommands();
    BuildAnimation();
    ConnectEditingCommands();
    new TKeyPreview(*this);
    resize(743, 706);
    move(309, 186);
}

TMainForm::~TMainForm()
{
    helpRouter_.reset();
    // Settings that were never read (the window was never shown) are not
    // written either.
    if (shown_)
        RunUserOperation(nullptr, [this] { SaveDefaults(settings_); });
    backgrnd_->FreeRegions();
}

void TMainForm::SetStatus(int panel, const QString& text)
{
    panels_.at(std::size_t(panel))->setText(text);
}

QString TMainForm::StatusText(int panel) const
{
    return panels_.at(std::size_t(panel))->text();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // Once the window is on the screen, so that a message about the first
    // project appears over it.
    QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TMainForm::FormShow()
{
    settings_.ProgramFolder = startup_.ProgramFolder;
    helpRouter_->SetHelpFolder(FindHelpFolder(QString::fromStdString(startup_.ExecutableFolder)));
    LoadDefaults(settings_);
    const std::string first = startup_.Arguments.isEmpty() ? std::string() : startup_.Arguments.first().toStdString();
    // A file that cannot be opened is reported; the default project opens instead.
    const bool opened = !first.empty() && FileExists(first) && RunUserOperation(this, [&] { Loadfile(first); });
    if (!opened)
        RunUserOperation(this, [this] { CreateNewFile(false); });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // A save that fails keeps the window open: the edits are not on disk.
    if (SettleUnsavedEdits("Save project edits?"))
        event->accept();
    else
        event->ignore();
}

void TMainForm::SaveSession()
{
    if (shown_) {
        try {
            SaveDefaults(settings_);
        } catch (const TolvError&) {
            // Nobody is left to tell; the edits below matter more.
        }
    }
    recovery_->WriteNow();
}

// F1 while one of the window's menus is open asks for the main window's
// topic; F1 anywhere else asks for nothing.
bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1
        && qobject_cast<QMenu*>(watched)) {
        Contents1Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tolv::gui
