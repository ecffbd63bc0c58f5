// A C++ host built with find_package: exports, then prints the log lines and the workbook's path.
#include <kvoexportexcel/iclsExportExcel.h>

#include <iostream>

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  kvo::iclsExportExcel oExport;
  oExport.SetLogLineSink(
      [](const std::string& sLine, bool) { std::cout << "log: " << sLine << "\n"; });
  const bool bDone = oExport.ParseMain(argv[1], argv[2], argv[3], argv[4]);
  std::cout << oExport.OutputPath() << "\n";
  return bDone ? 0 : 1;
}
