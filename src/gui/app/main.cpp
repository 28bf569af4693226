#include "gui/app/application.h"

int main(int argc, char* argv[])
{
    return tolv::gui::RunApplication(argc, argv);
}
