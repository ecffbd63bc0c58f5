#include "config/Log.h"

#include <kvoexportexcel/RunError.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
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

// Opens the file for appending, creating it, and the folders it is in when they are missing.
int OpenForAppend(const std::string& sPath) {
  constexpr int kFlags = O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC;
  int fd = ::open(sPath.c_str(), kFlags, 0666);
  if (fd < 0 && errno == ENOENT) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(sPath).parent_path();
    if (!folder.empty() && std::filesystem::create_directories(folder, error)) {
      fd = ::open(sPath.c_str(), kFlags, 0666);
    }
  }
  return fd;
}

// Appends the line and its CR LF in one write, so that lines of runs sharing the file never mix;
// false when the line could not be written whole.
bool AppendLine(const std::string& sLine, const std::string& sPath) {
  if (sPath.empty()) return false;
  const int fd = OpenForAppend(sPath);
  if (fd < 0) return false;
  const std::string sRecord = sLine + "\r\n";
  ssize_t lWritten;
  do {
    lWritten = ::write(fd, sRecord.data(), sRecord.size());
  } while (lWritten < 0 && errno == EINTR);
  const bool bWhole = lWritten == static_cast<ssize_t>(sRecord.size());
  return ::close(fd) == 0 && bWhole;
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
