#include "SubEditors.h"

SubEditors& TheSubEditors()
{
    static SubEditors editors = [] {
        SubEditors installed;
        InstallSubEditors(installed);
        return installed;
    }();
    return editors;
}
