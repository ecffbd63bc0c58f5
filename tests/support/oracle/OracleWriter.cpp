// The reference writer of the tests and benchmarks: a resolved sheet handed to libxlsxwriter.
#include "support/oracle/OracleWriter.h"

#include <locale.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <utility>

#include "support/oracle/OracleFormats.h"
#include "support/oracle/OracleSheetWriter.h"
#include "workbook/excel/OutputFile.h"

namespace kvo::excel::oracle {

namespace {

// Guards the library's packaging step (see the header).
std::mutex& PackagingLock() {
  static std::mutex lock;
  return lock;
}

// Runs the calling thread in the "C" locale, so that numbers get a decimal point.
class CLocaleScope {
 public:
  CLocaleScope() : c_(::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))) {
    if (c_ != static_cast<locale_t>(nullptr)) previous_ = ::uselocale(c_);
  }
  ~CLocaleScope() {
    if (c_ == static_cast<locale_t>(nullptr)) return;
    ::uselocale(previous_);
    ::freelocale(c_);
  }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t c_;
  locale_t previous_ = static_cast<locale_t>(nullptr);
};

// Frees a library workbook that was never handed to workbook_close.
class WorkbookHandle {
 public:
  explicit WorkbookHandle(lxw_workbook* workbook) : workbook_(workbook) {}
  ~WorkbookHandle() {
    if (workbook_ != nullptr) lxw_workbook_free(workbook_);
  }
  WorkbookHandle(const WorkbookHandle&) = delete;
  WorkbookHandle& operator=(const WorkbookHandle&) = delete;

  lxw_workbook* Get() const { return workbook_; }
  lxw_workbook* Release() { return std::exchange(workbook_, nullptr); }

 private:
  lxw_workbook* workbook_;
};

}  // namespace

void WriteXlsx(const ResolvedSheet& sheet, const std::string& path) {
  OutputFile out(path);
  CLocaleScope cLocale;

  lxw_workbook_options options{};
  options.constant_memory = LXW_FALSE;
  options.tmpdir = nullptr;  // the system's temporary folder
  options.use_zip64 = LXW_FALSE;
  WorkbookHandle workbook(workbook_new_opt(out.TempPath().c_str(), &options));
  if (workbook.Get() == nullptr) out.Fail("the file writer could not start");
  lxw_worksheet* target = workbook_add_worksheet(workbook.Get(), sheet.name.c_str());
  if (target == nullptr) out.Fail("the file writer could not add sheet " + sheet.name);

  try {
    OracleFormats formats(workbook.Get(), sheet.formats);
    OracleSheetWriter(sheet, workbook.Get(), target, formats).Write();
  } catch (const OracleWriteError& error) {
    out.Fail(error.what());
  }

  lxw_error error;
  int systemError;
  {
    std::lock_guard<std::mutex> lock(PackagingLock());
    errno = 0;
    error = workbook_close(workbook.Release());
    systemError = errno;
  }
  if (error != LXW_NO_ERROR) {
    std::string reason = lxw_strerror(error);
    if (systemError != 0) reason += " (" + std::string(std::strerror(systemError)) + ")";
    out.Fail(reason);
  }
  out.Commit();
}

}  // namespace kvo::excel::oracle
