#include "SubEditorControls.h"

#include "CWNumEdit.h"
#include "RunConfigValues.h"
#include "SetupNumberText.h"
#include "SetupVocabulary.h"
#include "TwipsLayout.h"
#include "modGlobals.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace SubEditorControls {

void PrepareDialog(QDialog* dialog, const char* objectName)
{
    dialog->setObjectName(QLatin1String(objectName));
    dialog->setModal(true);
    TwipsLayout::SetClientSize(dialog, ClientWidth, ClientHeight);
}

void LoadCaption(QDialog* dialog, const QString& designedCaption)
{
    modGlobals::ApplyFormIcon(dialog);
    dialog->setWindowTitle(designedCaption);
    modGlobals::AppendInstrumentName(dialog);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    TwipsLayout::Place(label, left, top, width, LabelHeight);
    return label;
}

QLineEdit* MakeValueBox(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMaxLength(SetupNumberText::BoxCharacters);
    TwipsLayout::Place(box, left, top, width, BoxHeight);
    return box;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    TwipsLayout::Place(button, left, top, ButtonWidth, ButtonHeight);
    return button;
}

QComboBox* MakeList(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    TwipsLayout::Place(list, left, top, width, BoxHeight);
    return list;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    TwipsLayout::Place(box, left, top, width, LabelHeight);
    return box;
}

CWNumEdit* MakeNumEdit(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* edit = new CWNumEdit(parent);
    edit->setObjectName(QLatin1String(name));
    TwipsLayout::Place(edit, left, top, width, BoxHeight);
    return edit;
}

void MoveLeft(QWidget* control, int left) { control->move(TwipsLayout::ToPixels(left), control->y()); }

void ShowValue(QLineEdit* box, double value)
{
    const QString text = SetupNumberText::Format(value);
    box->setMaxLength(std::max<int>(SetupNumberText::BoxCharacters, text.size()));
    box->setText(text);
}

void FillCodeList(QComboBox* list, const QStringList& entries, int code)
{
    list->clear();
    for (int i = 0; i < entries.size(); ++i) list->addItem(entries.at(i), i);
    if (code < 0 || code >= entries.size()) list->addItem(SetupVocabulary::UnknownEntry(code), code);
    list->setCurrentIndex(list->findData(code));
}

int16_t SelectedCode(const QComboBox* list) { return static_cast<int16_t>(list->currentData().toInt()); }

namespace {
void applyLimits(CWNumEdit* edit, const EditLimits& limits)
{
    edit->SetDecimals(limits.Decimals);
    edit->SetLimits(limits.Lower, limits.Upper);
    edit->SetStep(limits.Step);
}
}  // namespace

void ApplyRangeUnits(QLabel* label, const QString& caption, CWNumEdit* edit, bool customaryUnits)
{
    label->setText(caption + (customaryUnits ? QStringLiteral(" (in.):") : QStringLiteral(" (mm):")));
    applyLimits(edit, RangeEditLimits(customaryUnits));
}

void PrepareIntervalEdit(CWNumEdit* edit) { applyLimits(edit, IntervalEditLimits); }

}  // namespace SubEditorControls
