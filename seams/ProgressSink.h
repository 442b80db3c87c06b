#pragma once
// What a long operation (datalog capture and conversion, setup archive and
// restore) reports to whoever shows it: the progress window, the command
// line's progress bar, or a test. Operations run on the calling thread and
// call Yield() once per item so that the window stays painted and the Cancel
// button is heard; CancelRequested() is tested before each item.

#include <QString>

class ProgressSink {
public:
    virtual ~ProgressSink() = default;

    virtual void SetCaption(const QString& caption) = 0;
    // The bar runs from 0 to maximum; operations without a bar never call it.
    virtual void SetMaximum(int maximum) = 0;
    virtual void SetValue(int value) = 0;
    virtual void SetStatus(const QString& status) = 0;
    // Lets pending window events run (repaint, the Cancel click).
    virtual void Yield() = 0;
    virtual void ClearCancel() = 0;
    virtual bool CancelRequested() const = 0;
};

// Reports nowhere and never cancels: for callers that only want the result.
class SilentProgress : public ProgressSink {
public:
    void SetCaption(const QString&) override {}
    void SetMaximum(int) override {}
    void SetValue(int) override {}
    void SetStatus(const QString&) override {}
    void Yield() override {}
    void ClearCancel() override {}
    bool CancelRequested() const override { return false; }
};
