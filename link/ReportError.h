#pragma once
// The common error report of instrument exchanges. A communications timeout,
// a lost link (the device hung up or went away) and an instrument that stays
// busy offer Retry or Cancel: Retry returns to the caller, which repeats the
// step (after a lost link the Sensor reopens the link first); Cancel ends the
// program. Any other error is reported as "Fatal Error #<number>" with its
// description, and the program ends.

#include "AppError.h"

#include <exception>
#include <utility>

// Whether the error is one the operator may retry (see above).
bool OffersRetry(const AppError& error);

// Returns only when the operator chose Retry after an error that offers it;
// otherwise throws ProgramEnd.
void ReportError(const AppError& error);
// The same for an error that is not an AppError (out of memory...).
void ReportError(const std::exception& error);

// Runs the step; on an error, reports it and, after Retry, runs the step again.
template <typename Step>
auto WithErrorReport(Step&& step) -> decltype(step())
{
    for (;;) {
        try {
            return step();
        } catch (const AppError& error) {
            ReportError(error);
        } catch (const ProgramEnd&) {
            throw;
        } catch (const std::exception& error) {
            ReportError(error);
        }
    }
}
