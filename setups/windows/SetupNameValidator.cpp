#include "SetupNameValidator.h"

#include "SetupNameFilter.h"

#include <QLineEdit>
#include <algorithm>

SetupNameValidator::SetupNameValidator(QLineEdit* edit) : QValidator(edit), edit_(edit), accepted_(edit->text())
{
    edit->setValidator(this);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

void SetupNameValidator::SetTextUnfiltered(const QString& text)
{
    accepted_ = text;
    edit_->setText(text);
}

QValidator::State SetupNameValidator::validate(QString& input, int& pos) const
{
    const QString& before = accepted_;
    // The text after the cursor is what the insertion left alone; when that
    // does not hold (an unusual edit), the common tail of both texts is.
    qsizetype suffix = input.size() - pos;
    if (suffix < 0 || suffix > before.size() || !before.endsWith(QStringView(input).right(suffix))) {
        suffix = 0;
        while (suffix < std::min(before.size(), input.size()) &&
               before[before.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
    }
    qsizetype prefix = 0;
    const qsizetype prefixLimit = std::min(before.size() - suffix, input.size() - suffix);
    while (prefix < prefixLimit && before[prefix] == input[prefix]) ++prefix;

    QString inserted;
    for (const QChar c : QStringView(input).mid(prefix, input.size() - suffix - prefix))
        if (const std::optional<QChar> kept = FilterNameCharacter(c)) inserted += *kept;
    const qsizetype room = std::max<qsizetype>(0, SetupNameMaxLength - prefix - suffix);
    inserted.truncate(room);

    input = input.left(prefix) + inserted + input.right(suffix);
    pos = static_cast<int>(prefix + inserted.size());
    return Acceptable;
}
