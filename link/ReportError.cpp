#include "ReportError.h"

#include "Environment.h"

void ReportError(const AppError& error)
{
    if (error.number() == ErrorNumber::CommTimeout) {
        const MessageAnswer answer = Env().ShowMessage(QStringLiteral("Communications Timeout"), MessageButtons::RetryCancel,
                                                       MessageIcon::Critical, ApplicationTitle);
        if (answer == MessageAnswer::Retry) return;
        throw ProgramEnd{1};
    }
    Env().ShowMessage(QStringLiteral("Fatal Error #%1\r\n\r\n%2").arg(error.number()).arg(error.description()),
                      MessageButtons::Ok, MessageIcon::Critical, ApplicationTitle);
    throw ProgramEnd{1};
}

void ReportError(const std::exception& error)
{
    // Errors from outside the program's own code carry no number of ours;
    // 51 is the general "internal error".
    ReportError(AppError(51, QString::fromLocal8Bit(error.what())));
}
