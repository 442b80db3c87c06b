// Built while the sub-editor windows are not part of the program: the Edit
// buttons of the setup editor open nothing.
#include "SubEditors.h"

void InstallSubEditors(SubEditors&) {}
