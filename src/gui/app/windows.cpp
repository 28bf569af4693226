#include "gui/app/windows.h"

#include "gui/dialogs/bgrnd_options.h"
#include "gui/dialogs/dlg_about.h"
#include "gui/dialogs/xlist.h"
#include "gui/extract/info_dlg.h"
#include "gui/extract/x_dlg.h"
#include "gui/project/main_form.h"
#include "gui/project/options.h"

namespace tolv::gui {

namespace {

template <typename Window, typename... Args>
void Create(std::unique_ptr<Window>& owner, Window*& instance, Args&&... args)
{
    owner = std::make_unique<Window>(std::forward<Args>(args)...);
    instance = owner.get();
}

template <typename Window>
void Destroy(std::unique_ptr<Window>& owner, Window*& instance)
{
    owner.reset();
    instance = nullptr;
}

}  // namespace

Windows::Windows(const StartupOptions& startup)
{
    Create(mainForm_, MainForm, startup);
    Create(xlist_, xlist);
    Create(options_, options);
    Create(bgrndOptions_, BgrndOptions);
    Create(x_dlg_, x_dlg);
    Create(dlg_About_, Dlg_About);
    Create(info_dlg_, info_dlg);
}

Windows::~Windows()
{
    Destroy(mainForm_, MainForm);
    Destroy(xlist_, xlist);
    Destroy(options_, options);
    Destroy(bgrndOptions_, BgrndOptions);
    Destroy(x_dlg_, x_dlg);
    Destroy(dlg_About_, Dlg_About);
    Destroy(info_dlg_, info_dlg);
}

}  // namespace tolv::gui
