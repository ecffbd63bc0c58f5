// Exports SOURCE with CONFIG and the setup text SETUP, prints the workbook's path and the run's
// log lines with "log: ".
#include <kvoexportexcel/iclsExportExcel.h>

#include <iostream>

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  kvo::iclsExportExcel oExport;
  oExport.SetLogLineSink(
      [](const std::string& sLine, bool) { std::cout << "log: " << sLine << "\n"; });
  if (!oExport.ParseMain(argv[1], argv[2], argv[3], argv[4])) return 1;
  std::cout << oExport.OutputPath() << "\n";
  return 0;
}
