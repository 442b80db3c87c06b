#pragma once
// The globals and shared window procedures of the program.

#include <QString>

class QWidget;
class QLabel;

namespace modGlobals {

// The instrument's display name ("TR8 KZ"), set at start-up.
extern QString InstrumentDisplayName;
// The main caption ("TR8 KZ Utility"): title of the datalog message boxes.
extern QString MainCaption;

// Sets the window's icon to the program's icon.
void ApplyFormIcon(QWidget* window);
// Appends the instrument display name to the window's caption (dialog
// captions are designed to end in " - ").
void AppendInstrumentName(QWidget* window);
// Shows the program's picture in the label.
void ApplyAboutPicture(QLabel* picture);

}  // namespace modGlobals
