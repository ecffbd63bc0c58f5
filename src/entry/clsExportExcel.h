// The run controller: one instance conducts one export run from configuration to saved
// workbook, and builds the caption and attribute-label tables the parser and builder use.
#pragma once

#include <string>

namespace kvo {

class VariantTable;

class clsExportExcel {
 public:
  // The whole pipeline; true only when the workbook was built and saved.
  bool ParseXML2Excel(const std::string& sXFullPath, const std::string& sXIniFullPath,
                      const std::string& sSetupXString, const std::string& sExtension);

  // Creates the run's configuration reader and loads the configuration document.
  bool GetIniXML(const std::string& sXIniFullPath);
  // Chooses the output path, removes an old file of that name and drives the builder.
  bool BuildExcel(const std::string& sXFullPath, const std::string& sExtension);
  // Caption table, space type and object type from the setup string.
  bool FillExcellCap(const std::string& sSetupXString);
  // Field names and attribute-label tables from the configuration.
  bool FillAttrLabels();
  // The additional tag table of one object kind ("ITEM", "DOC" or "FOLDER").
  void GetAdditionalTags(const std::string& sType);
  // One ordered attribute-label table by its type word.
  bool FillAttrLabelArray(VariantTable& vTable, const std::string& sType);
  // Erases the main array of the run's object kind.
  void ClearMainArray();

  // The output workbook path for a source path, extension and name value (empty: the
  // source's own base name).
  static std::string OutputPath(const std::string& sXFullPath, const std::string& sExtension,
                                const std::string& sName);

 private:
  // Owner of the handlers' log lines.
  static constexpr const char* kClassName = "clsExportExcel";

  // The pipeline from the log path to the saved workbook; each step that fails ends it, after
  // its log line.  The caption and label tables are emptied once the source file was found.
  bool RunPipeline(const std::string& sXFullPath, const std::string& sXIniFullPath,
                   const std::string& sSetupXString, const std::string& sExtension);
  // Caption and label tables, the parsed source and the workbook built from it; sExtension
  // already holds the default.
  bool ExportSource(const std::string& sXFullPath, const std::string& sSetupXString,
                    const std::string& sExtension);
};

}  // namespace kvo
