#pragma once
// The setup editor's name box applies the name rules (SetupNameFilter.h) to
// whatever the operator inserts: keys typed, text pasted or dropped. Only the
// inserted characters are filtered, so a name loaded from the instrument
// keeps any character it has (and may be longer than 15 characters; then
// nothing more can be inserted until it is shortened). Control keys
// (backspace, delete...) edit the text as usual; control characters arriving
// in pasted text are swallowed, being no part of a name.

#include <QString>
#include <QValidator>

class QLineEdit;

// Filters the insertions into the line edit it is installed on.
class SetupNameValidator : public QValidator {
    Q_OBJECT
public:
    // Installs itself on the edit and follows its text.
    explicit SetupNameValidator(QLineEdit* edit);

    State validate(QString& input, int& pos) const override;

    // Shows a name as it is (a name loaded from the instrument): the line
    // edit runs its validator on setText too, and this text is not an
    // insertion by the operator.
    void SetTextUnfiltered(const QString& text);

private:
    QLineEdit* edit_;
    QString accepted_;  // the edit's text before the change under way
};
