#pragma once
// The common error report of instrument exchanges. A communications timeout
// offers Retry or Cancel: Retry returns to the caller, which repeats the step
// that timed out; Cancel ends the program. Any other error is reported as
// "Fatal Error #<number>" with its description, and the program ends.

#include "AppError.h"

#include <exception>
#include <utility>

// Returns only when the operator chose Retry after a communications timeout;
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
