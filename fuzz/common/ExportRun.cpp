// One export as the run controller makes it, with the saved workbook read back.
#include "ExportRun.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "FuzzCheck.h"
#include "XlsCheck.h"
#include "XlsxCheck.h"
#include "config/RunState.h"
#include "config/modResources.h"
#include "model/RunCodes.h"
#include "parse/clsXMLPars.h"

namespace kvo::fuzz {

namespace fs = std::filesystem;

namespace {

// Removes the scratch folder when the process ends normally.
struct Scratch {
  std::string path;
  Scratch() {
    std::error_code ec;
    const fs::path base =
        fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    path = (base / ("kvo-fuzz-" + std::to_string(::getpid()))).string();
    fs::create_directories(path);
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void ClearRunTables() {
  RunState& run = Run();
  for (VariantTable* table :
       {&run.vExlCaption, &run.vAddTags, &run.vItemAttrLbl, &run.vDocAttrLbl, &run.vDrawingAttrLbl,
        &run.vFileAttrLbl, &run.vFolderAttrLbl, &run.vMnfAttrLbl, &run.vVndAttrLbl}) {
    table->Erase();
  }
}

void CheckWorkbook(const std::string& path, const std::string& extension) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return;
  const std::string bytes = ReadAll(path);
  if (extension == ".xls") {
    CheckXls(bytes);
  } else {
    CheckXlsx(bytes);
  }
  fs::remove(path, ec);
}

}  // namespace

std::string ExamplePath(const std::string& name) {
  return std::string(KVO_SOURCE_DIR) + "/examples/" + name;
}

const std::string& ScratchDir() {
  static const Scratch scratch;
  return scratch.path;
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = ScratchDir() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  Require(out.good(), "cannot write a scratch file");
  return path;
}

clsExportExcel& BundledController() {
  static clsExportExcel run = [] {
    clsExportExcel loaded;
    Require(loaded.GetIniXML(ExamplePath("config.xml")), "the bundled configuration does not load");
    InitResources();
    return loaded;
  }();
  return run;
}

std::string SetupText(int kind, bool collection) {
  static constexpr const char* kKinds[] = {"Item", "Document", "Folder"};
  return std::string("<ExportSetup><SPACE_TYPE>") + (collection ? "COLLECTION" : "STRUCTURE") +
         "</SPACE_TYPE><OBJECT_TYPE>" + kKinds[kind % 3] +
         "</OBJECT_TYPE><PREPARED_BY>fuzz</PREPARED_BY><REPORT_NAME></REPORT_NAME>"
         "<PROJECT>fuzz</PROJECT><EXPORT_DATE></EXPORT_DATE></ExportSetup>";
}

void ExportAndCheck(clsExportExcel& run, const std::string& setup, const std::string& source,
                    const std::string& extension) {
  RunState& state = Run();
  if (run.FillExcellCap(setup) && run.FillAttrLabels()) {
    clsXMLPars parser;
    std::shared_ptr<xml::Document> doc;
    if (parser.LoadCurrentXML(doc, source)) {
      run.ClearMainArray();
      parser.MainXStruct(doc);
      doc.reset();
      if (state.lMainUBound >= 0) {
        state.sOutputPath.clear();
        const bool saved = run.BuildExcel(source, extension);
        std::error_code ec;
        Require(!saved || fs::is_regular_file(state.sOutputPath, ec),
                "the export succeeded without a workbook");
        // Whatever file the export left must be a whole workbook, and no temporary file of a
        // save stays beside it.
        if (!state.sOutputPath.empty()) CheckWorkbook(state.sOutputPath, extension);
        for (const auto& entry : fs::directory_iterator(ScratchDir())) {
          Require(entry.path().filename().string().front() != '.', "a temporary file stayed");
        }
      }
      run.ClearMainArray();
    }
  }
  ClearRunTables();
}

}  // namespace kvo::fuzz
