#include "QtEnvironment.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

MessageAnswer QtEnvironment::ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                                         const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? ApplicationTitle : title);
    // The program's message texts use CR LF line breaks.
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (icon) {
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MessageButtons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: break;
    }
    // Closing the box through its title bar: the safe answer of each kind.
    switch (buttons) {
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::RetryCancel: return MessageAnswer::Cancel;
    case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
#ifndef Q_OS_WIN
        // "*.*" means every file on Windows; elsewhere it would hide the
        // names without a dot.
        if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
#endif
        // A label that already shows its pattern ("Bitmap Files (*.bmp)")
        // is not given it twice.
        const QString& label = parts[i];
        const QString shown = QStringLiteral(" (%1)").arg(parts[i + 1]);
        if (label.endsWith(shown))
            entries << label.chopped(shown.size()) + QStringLiteral(" (%1)").arg(pattern);
        else
            entries << QStringLiteral("%1 (%2)").arg(label, pattern);
    }
    return entries.join(QLatin1String(";;"));
}

QString QtEnvironment::ChooseFile(const FileChoice& choice)
{
    QFileDialog dlgFile(QApplication::activeWindow(), choice.title);
    dlgFile.setObjectName(QStringLiteral("dlgFile"));
    dlgFile.setNameFilter(QtFileFilter(choice.filter));
    // A save dialog asks before overwriting; an open dialog accepts only an
    // existing file; neither shows a read-only box.
    if (choice.kind == FileDialogKind::Save) {
        dlgFile.setAcceptMode(QFileDialog::AcceptSave);
        dlgFile.setFileMode(QFileDialog::AnyFile);
    } else {
        dlgFile.setAcceptMode(QFileDialog::AcceptOpen);
        dlgFile.setFileMode(QFileDialog::ExistingFile);
    }
    if (dlgFile.exec() != QDialog::Accepted || dlgFile.selectedFiles().isEmpty()) return {};
    return dlgFile.selectedFiles().constFirst();
}

QString QtEnvironment::ReadSetting(const QString& section, const QString& name, const QString& defaultValue)
{
    return settings_.read(section, name, defaultValue);
}

void QtEnvironment::WriteSetting(const QString& section, const QString& name, const QString& value)
{
    settings_.write(section, name, value);
}

void QtEnvironment::SetBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
