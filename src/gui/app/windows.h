#pragma once

#include <memory>

namespace tolv::gui {

class TMainForm;
class Txlist;
class Toptions;
class TBgrndOptions;
class Tx_dlg;
class TDlg_About;
class Tinfo_dlg;
struct StartupOptions;

// The program's windows, reachable through one instance each from the moment
// they are created until the program ends.
inline TMainForm* MainForm = nullptr;
inline Txlist* xlist = nullptr;
inline Toptions* options = nullptr;
inline TBgrndOptions* BgrndOptions = nullptr;
inline Tx_dlg* x_dlg = nullptr;
inline TDlg_About* Dlg_About = nullptr;
inline Tinfo_dlg* info_dlg = nullptr;

// Creates the windows once, in start-up order with the main window first;
// the dialogs start hidden and keep their controls' states between uses.
// The main window is also destroyed first (it writes the settings), then the
// dialogs.
class Windows {
public:
    explicit Windows(const StartupOptions& startup);
    ~Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    TMainForm& Main() { return *mainForm_; }

private:
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<Txlist> xlist_;
    std::unique_ptr<Toptions> options_;
    std::unique_ptr<TBgrndOptions> bgrndOptions_;
    std::unique_ptr<Tx_dlg> x_dlg_;
    std::unique_ptr<TDlg_About> dlg_About_;
    std::unique_ptr<Tinfo_dlg> info_dlg_;
};

}  // namespace tolv::gui
