// The component's one diagnostic channel: dated lines appended to the run's log file.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace kvo {

// Current local date and time as log lines show them: date first, one blank, then the time.
// Uses the user's locale when one is set, else the stable form 2026-12-07 19:33:03.
std::string NowText();

// Appends sLine (line breaks inside it turned into blanks) and CR LF to the file at sPath in one
// write, opening and closing it for this one line and creating the file and its missing
// folders, then hands the line to this thread's log sink (RunState::fnLogSink), written or not.
// Every failure, the file's and what the sink raises, is swallowed: the caller is not told.
void WriteLogLine(const std::string& sLine, const std::string& sPath);

// Writes one line to the run's log.  With bWithError: text, pending error description, blank,
// number, blank, date and time, " in ", source.  Without: text, blank, date and time.
// lUnused is kept for the callers' sake and ignored.
void LogError(const std::string& sText, const std::string& sSource, std::int32_t lUnused,
              bool bWithError);

// Makes the given exception the pending error (number and description).
void SetPendingError(std::exception_ptr pError);

// The one-line handler body: reports the exception being handled under sSource with the
// configured run-error text (or sText) and the error details.
void LogRunError(const std::string& sSource);
void LogRunError(const std::string& sText, const std::string& sSource);

}  // namespace kvo
