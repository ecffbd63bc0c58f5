// Writing a resolved sheet as an Office Open XML workbook (.xlsx).
#include "workbook/excel/xlsx/XlsxWriter.h"

#include <ctime>
#include <new>

#include "workbook/excel/OutputFile.h"
#include "workbook/excel/sink/FileSink.h"
#include "workbook/excel/sink/WriteError.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/Utf8.h"
#include "workbook/excel/xlsx/LinkTargets.h"
#include "workbook/excel/xlsx/XlsxPackage.h"

namespace kvo::excel {

namespace {

std::size_t StoredTargetLength(ResolvedLink::Kind kind, std::string_view address,
                               std::string_view subAddress) {
  return Utf8Length(StoredLinkTarget(kind, address, subAddress));
}

// Runs write; returns the reason it failed for, empty when it did not.
template <class Write>
std::string FailureOf(Write&& write) {
  try {
    write();
  } catch (const WriteError& error) {
    return error.what();
  } catch (const std::bad_alloc&) {
    return "out of memory";
  }
  return {};
}

}  // namespace

const FileFormat kXlsxFormat{
    "Office Open XML",
    {.rows = 1048576,
     .columns = 16384,
     .linksPerSheet = 65530,
     .linkAddressLength = 2079,
     .unitsPerCell = 32767,
     .definedNameLength = 255},
    &StoredTargetLength,
    &WriteXlsx,
};

void WriteXlsx(const ResolvedSheet& sheet, const std::string& path) {
  OutputFile out(path);
  const std::string reason = FailureOf([&] {
    FileSink file(out.TempPath());
    WriteXlsxPackage(sheet, file, std::time(nullptr));
    file.Close();
  });
  if (!reason.empty()) out.Fail(reason);
  out.Commit();
}

void WriteXlsxTo(const ResolvedSheet& sheet, ByteSink& sink) {
  const std::string reason = FailureOf([&] { WriteXlsxPackage(sheet, sink, std::time(nullptr)); });
  if (!reason.empty()) RaiseSheetError("Cannot write the workbook: " + reason);
}

}  // namespace kvo::excel
