#include "modGlobals.h"

#include "ProgramArt.h"

#include <QLabel>
#include <QWidget>

namespace modGlobals {

QString InstrumentDisplayName;
QString MainCaption;

void ApplyFormIcon(QWidget* window) { window->setWindowIcon(ProgramIcon()); }

void AppendInstrumentName(QWidget* window) { window->setWindowTitle(window->windowTitle() + InstrumentDisplayName); }

void ApplyAboutPicture(QLabel* picture) { picture->setPixmap(AboutPicture()); }

}  // namespace modGlobals
