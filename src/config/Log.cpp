#include "config/Log.h"

#include <kvoexportexcel/RunError.h>

#include <filesystem>
#include <new>
#include <stdexcept>

#include "config/RunState.h"
#include "platform/Platform.h"

namespace kvo {

namespace {

// Appends the line and its CR LF in one write, so that lines of runs sharing the file never mix;
// creates the file, and its folders when they are missing. False when the line could not be
// written whole.
bool AppendLine(const std::string& sLine, const std::string& sPath) {
  if (sPath.empty()) return false;
  const std::string sRecord = sLine + "\r\n";
  platform::FileError error;
  if (platform::AppendToFile(sPath, sRecord, error)) return true;
  if (error.kind != platform::FileError::Kind::Missing) return false;
  const std::size_t cut = sPath.find_last_of(platform::kSeparators);
  if (cut == std::string::npos || cut == 0 || !platform::CreateFolders(sPath.substr(0, cut))) {
    return false;
  }
  return platform::AppendToFile(sPath, sRecord, error);
}

// Tells this thread's sink; a copy is called, so a sink may replace itself.
void TellSink(const std::string& sLine, bool bWritten) {
  if (!Run().fnLogSink) return;
  try {
    const LogLineSink fnSink = Run().fnLogSink;
    fnSink(sLine, bWritten);
  } catch (...) {
  }
}

}  // namespace

std::string NowText() {
  return platform::LocalDateTimeText();
}

void WriteLogLine(const std::string& sLine, const std::string& sPath) {
  // A line break inside the text (a library message, a name from the source) would split one
  // line into two.
  if (sLine.find_first_of("\r\n") != std::string::npos) {
    std::string sOneLine = sLine;
    for (char& c : sOneLine) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    TellSink(sOneLine, AppendLine(sOneLine, sPath));
    return;
  }
  TellSink(sLine, AppendLine(sLine, sPath));
}

void LogError(const std::string& sText, const std::string& sSource, std::int32_t /*lUnused*/,
              bool bWithError) {
  RunState& run = Run();
  std::string sLine = sText;
  if (bWithError) {
    sLine.append(run.tErr.sDescription).append(" ").append(std::to_string(run.tErr.lNumber));
    sLine.append(" ").append(NowText()).append(" in ").append(sSource);
  } else {
    sLine.append(" ").append(NowText());
  }
  WriteLogLine(sLine, run.sLogPath);
}

void SetPendingError(std::exception_ptr pError) {
  PendingError& err = Run().tErr;
  try {
    std::rethrow_exception(pError);
  } catch (const RunError& e) {
    err = {e.Number(), e.Description()};
  } catch (const std::bad_alloc&) {
    err = {kErrOutOfMemory, "Out of memory"};
  } catch (const std::out_of_range&) {
    err = {kErrSubscript, "Subscript out of range"};
  } catch (const std::overflow_error&) {
    err = {kErrOverflow, "Overflow"};
  } catch (const std::invalid_argument&) {
    err = {kErrTypeMismatch, "Type mismatch"};
  } catch (const std::filesystem::filesystem_error& e) {
    err = {kErrPathAccess, std::string("Path/File access error: ") + e.what()};
  } catch (const std::exception& e) {
    err = {5, e.what()};
  } catch (...) {
    err = {5, "Invalid procedure call or argument"};
  }
}

void LogRunError(const std::string& sSource) {
  LogRunError(Run().sMsgRunError, sSource);
}

void LogRunError(const std::string& sText, const std::string& sSource) {
  SetPendingError(std::current_exception());
  LogError(sText, sSource, -1, true);
}

}  // namespace kvo
