#include "MainWindowServices.h"

#include <stdexcept>

namespace {
MainWindowServices* registered = nullptr;
}  // namespace

MainWindowServices& MainWindow()
{
    if (!registered) throw std::logic_error("the main window does not exist");
    return *registered;
}

bool MainWindowExists() { return registered != nullptr; }

void RegisterMainWindow(MainWindowServices* window) { registered = window; }

void UnregisterMainWindow(MainWindowServices* window)
{
    if (registered == window) registered = nullptr;
}
