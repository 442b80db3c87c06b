#pragma once
// What the setup sub-editors' windows share: their controls made and placed
// as designed (positions in twips, TwipsLayout.h), the number boxes, the code
// lists and the load of every dialog (icon and caption).

#include <QString>
#include <QStringList>
#include <cstdint>

class CWNumEdit;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace SubEditorControls {

// Designed sizes, in twips.
inline constexpr int ButtonWidth = 732, ButtonHeight = 372;
inline constexpr int LabelHeight = 252;
inline constexpr int BoxHeight = 312;  // text boxes, lists, numeric edits
inline constexpr int ClientWidth = 4092, ClientHeight = 3372;
// Save and Cancel sit at the same place in every sub-editor.
inline constexpr int SaveLeft = 2160, CancelLeft = 3120, ButtonsTop = 2880;

// A modal dialog of the designed client size; Escape rejects it, which is
// what Cancel does.
void PrepareDialog(QDialog* dialog, const char* objectName);
// The load of a sub-editor: the program's icon, then the designed caption
// (ending in " - ") followed by the instrument's name.
void LoadCaption(QDialog* dialog, const QString& designedCaption);

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width);
// A text box for a number: at most SetupNumberText::BoxCharacters typed.
QLineEdit* MakeValueBox(QWidget* parent, const char* name, int left, int top, int width);
// Save and Cancel are pressed by click or key, never by Enter in a box.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left, int top);
QComboBox* MakeList(QWidget* parent, const char* name, int left, int top, int width);
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, int left, int top, int width);
CWNumEdit* MakeNumEdit(QWidget* parent, const char* name, int left, int top, int width);

// Moves the control's left edge, keeping its top.
void MoveLeft(QWidget* control, int left);

// Shows the value in the box in the regional format (SetupNumberText.h). A
// text longer than the box's typing limit is shown whole: the limit grows to
// take it.
void ShowValue(QLineEdit* box, double value);

// Fills the list with the entries, each standing for its index as a code,
// and selects the code. A code with no entry gets one more entry at the end,
// "(unknown: 9)", standing for that code, so that the stored code is shown
// and kept unless the operator picks another.
void FillCodeList(QComboBox* list, const QStringList& entries, int code);
// The code of the selected entry.
int16_t SelectedCode(const QComboBox* list);

// A range edit of the run configuration editors (a distance or a height)
// and its label: the limits of RangeEditLimits, and the caption followed by
// " (in.):" or " (mm):".
void ApplyRangeUnits(QLabel* label, const QString& caption, CWNumEdit* edit, bool customaryUnits);
// The report interval edit: the limits of IntervalEditLimits.
void PrepareIntervalEdit(CWNumEdit* edit);

}  // namespace SubEditorControls
