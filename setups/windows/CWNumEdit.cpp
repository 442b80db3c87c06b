#include "CWNumEdit.h"

#include <algorithm>

CWNumEdit::CWNumEdit(QWidget* parent) : QDoubleSpinBox(parent)
{
    setDecimals(0);
    setGroupSeparatorShown(true);
    setKeyboardTracking(true);
    fitRange(0.0);
    // Once the operator has brought the value inside the limits, typing and
    // stepping are bounded by them again.
    connect(this, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        if (withinLimits(v)) fitRange(v);
    });
}

void CWNumEdit::fitRange(double shown)
{
    setRange(std::min(lower_, shown), std::max(upper_, shown));
}

void CWNumEdit::SetValue(double aValue)
{
    // Widen first to take both the old and the new value, so that changing
    // the range never clamps the value on the way.
    const double shown = value();
    setRange(std::min({lower_, shown, aValue}), std::max({upper_, shown, aValue}));
    setValue(aValue);
    fitRange(value());
}

void CWNumEdit::SetLowerLimit(double aValue) { SetLimits(aValue, upper_); }
void CWNumEdit::SetUpperLimit(double aValue) { SetLimits(lower_, aValue); }

void CWNumEdit::SetLimits(double lower, double upper)
{
    lower_ = lower;
    upper_ = std::max(lower, upper);
    fitRange(value());  // the value shown stays as it is
}

void CWNumEdit::stepBy(int steps)
{
    const double v = value();
    double next;
    if (v > upper_)
        next = steps < 0 ? upper_ : v;  // onto the nearest limit, never further out
    else if (v < lower_)
        next = steps > 0 ? lower_ : v;
    else
        next = std::clamp(v + steps * singleStep(), lower_, upper_);
    setValue(next);  // within the present range; the range narrows once inside
    selectAll();
}

QAbstractSpinBox::StepEnabled CWNumEdit::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (isReadOnly()) return enabled;
    const double v = value();
    if (v < upper_) enabled |= StepUpEnabled;
    if (v > lower_) enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State CWNumEdit::validate(QString& text, int& pos) const
{
    const QValidator::State state = QDoubleSpinBox::validate(text, pos);
    if (state != QValidator::Acceptable) return state;
    // The value shown from outside the limits stays acceptable as it is;
    // any other typed value must lie within the limits.
    const double typed = valueFromText(text);
    if (withinLimits(typed) || typed == value()) return state;
    return QValidator::Intermediate;
}
