#pragma once
// The numeric edit control of the setup editors: a number with up/down
// buttons, a lower and an upper limit and a step (the amount the buttons add
// or take away), shown in the operator's regional number format (decimal
// symbol and digit grouping of the widget's locale, the system's by default).
//
// The limits bind the operator, not the program. A value that the program
// sets outside them (a setup stored on the instrument with a distance beyond
// the design range) is shown as it is, not clamped, so that saving without
// changes stores what was loaded: the box's own range is widened to take the
// value. The operator's stepping and typing stay within the limits: a step
// toward the limits puts an outside value onto the nearest limit, a step away
// from them does nothing, typed text outside the limits is not accepted, and
// once the value is back inside, the range narrows to the limits again.
// Values are held to Decimals() places (0 by default: whole numbers).

#include <QDoubleSpinBox>

class CWNumEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit CWNumEdit(QWidget* parent = nullptr);

    double Value() const { return value(); }
    // Shows the value, also outside the limits.
    void SetValue(double aValue);

    double LowerLimit() const { return lower_; }
    double UpperLimit() const { return upper_; }
    void SetLowerLimit(double aValue);
    void SetUpperLimit(double aValue);
    void SetLimits(double lower, double upper);

    double Step() const { return singleStep(); }
    void SetStep(double aValue) { setSingleStep(aValue); }

    int Decimals() const { return decimals(); }
    void SetDecimals(int places) { setDecimals(places); }

    void stepBy(int steps) override;
    QValidator::State validate(QString& text, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    bool withinLimits(double v) const { return v >= lower_ && v <= upper_; }
    // The box's range: the limits, widened to take the value shown.
    void fitRange(double shown);

    double lower_ = 0.0;
    double upper_ = 99.0;
};
