#include "config/Log.h"

#include <kvoexportexcel/RunError.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <locale>
#include <new>
#include <sstream>
#include <stdexcept>

#include "config/RunState.h"

namespace kvo {

namespace {

// Name of the user's time locale, or empty when none beyond the C locale is set.
std::string UserTimeLocaleName() {
  for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(var);
    if (value == nullptr || *value == '\0') continue;
    std::string name = value;
    if (name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0) return {};
    return name;
  }
  return {};
}

// The locale to format dates with, looked up once per thread.
const std::locale* TimeLocale() {
  thread_local bool bLooked = false;
  thread_local std::locale tLocale = std::locale::classic();
  thread_local bool bHave = false;
  if (!bLooked) {
    bLooked = true;
    std::string name = UserTimeLocaleName();
    if (!name.empty()) {
      try {
        tLocale = std::locale(name.c_str());
        bHave = true;
      } catch (const std::exception&) {
        bHave = false;
      }
    }
  }
  return bHave ? &tLocale : nullptr;
}

// Appends the line to the file; false when any part of it could not be written.
bool AppendLine(const std::string& sLine, const std::string& sPath) {
  if (sPath.empty()) return false;
  std::FILE* file = std::fopen(sPath.c_str(), "ab");
  if (file == nullptr) return false;
  bool bWritten = std::fwrite(sLine.data(), 1, sLine.size(), file) == sLine.size();
  bWritten = std::fwrite("\r\n", 1, 2, file) == 2 && bWritten;
  return std::fclose(file) == 0 && bWritten;
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
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream out;
  if (const std::locale* loc = TimeLocale()) {
    out.imbue(*loc);
    out << std::put_time(&local, "%x %X");
  } else {
    out << std::put_time(&local, "%Y-%m-%d %H:%M:%S");
  }
  return out.str();
}

void WriteLogLine(const std::string& sLine, const std::string& sPath) {
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
