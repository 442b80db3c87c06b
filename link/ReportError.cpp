#include "ReportError.h"

#include "Environment.h"

namespace {
QString retryText(const AppError& error)
{
    if (error.number() == ErrorNumber::CommTimeout) return QStringLiteral("Communications Timeout");
    if (error.number() == ErrorNumber::LinkLost)
        return QStringLiteral("The link to the instrument was lost\r\n\r\n%1\r\n\r\n"
                              "Connect the instrument again and choose Retry, or Cancel to end the program.")
            .arg(error.description());
    return QStringLiteral("The instrument is busy\r\n\r\n%1\r\n\r\n"
                          "Choose Retry to send the command again, or Cancel to end the program.")
        .arg(error.description());
}
}  // namespace

bool OffersRetry(const AppError& error)
{
    return error.number() == ErrorNumber::CommTimeout || error.number() == ErrorNumber::LinkLost ||
           error.number() == ErrorNumber::InstrumentBusy;
}

void ReportError(const AppError& error)
{
    if (OffersRetry(error)) {
        const MessageAnswer answer =
            Env().ShowMessage(retryText(error), MessageButtons::RetryCancel, MessageIcon::Critical, ApplicationTitle);
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
