#include "ExportPhases.h"

#include <kvoexportexcel/iclsExportExcel.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <utility>
#include <vector>

#include "config/RunState.h"
#include "config/modEnvironment.h"
#include "config/modResources.h"
#include "entry/clsExportExcel.h"
#include "parse/clsXMLPars.h"
#include "support/oracle/OracleLinks.h"
#include "workbook/clsBldExcel.h"
#include "workbook/excel/FileFormats.h"
#include "workbook/excel/NameRules.h"
#include "workbook/excel/Worksheet.h"
#include "workbook/excel/resolved/SheetResolver.h"
#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/Constants.h"

namespace kvo::test {

// The builder opens its worksheet to its test probe; the bench reads the filled sheet through
// the same door.
class BldExcelProbe {
 public:
  static const excel::Worksheet& Sheet(const clsBldExcel& builder) { return *builder.oExlSheet; }
};

}  // namespace kvo::test

namespace kvo::bench {

namespace {

void Require(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("export phase failed: ") + what);
}

DirectFormat Plain(const excel::CellFormat& look) {
  DirectFormat out;
  if (look.horizontalAlignment == excel::xlLeft) out.horizontal = DirectFormat::Horizontal::Left;
  if (look.horizontalAlignment == excel::xlCenter) {
    out.horizontal = DirectFormat::Horizontal::Center;
  }
  if (look.horizontalAlignment == excel::xlRight) out.horizontal = DirectFormat::Horizontal::Right;
  if (look.verticalAlignment == excel::xlTop) out.vertical = DirectFormat::Vertical::Top;
  if (look.verticalAlignment == excel::xlCenter) out.vertical = DirectFormat::Vertical::Center;
  out.wrap = look.wrapText;
  if (look.numberFormat != "General") out.numberFormat = look.numberFormat;
  out.bold = look.bold;
  out.italic = look.italic;
  out.underline = look.underline;
  if (look.fontSize != excel::kDefaultFontSize) out.fontSize = look.fontSize;
  if (look.fontColor.IsSet()) out.fontRgb = look.fontColor.ToRgb();
  if (look.interiorColor.IsSet()) out.fillRgb = look.interiorColor.ToRgb();
  out.borderTop = look.borderTop == excel::xlContinuous;
  out.borderBottom = look.borderBottom == excel::xlContinuous;
  return out;
}

DirectArea Area(const excel::Rect& r) {
  return {r.top - 1, r.left - 1, r.bottom - 1, r.right - 1};
}

// Texts are copied as the sheet holds them; the writer's escaping of "_xHHHH_" sequences does
// not arise in generated exports.
void AddRows(const excel::ResolvedSheet& resolved, DirectSheet& out) {
  // Link cells are written by the link call itself.
  std::vector<std::pair<std::int32_t, std::int32_t>> anchors;
  for (const excel::ResolvedLink& link : resolved.links)
    anchors.emplace_back(link.row, link.anchor.col);
  std::sort(anchors.begin(), anchors.end());
  const std::unique_ptr<excel::RowWalk> walk = resolved.rows();
  while (const excel::ResolvedRow* row = walk->Next()) {
    DirectRow plain;
    plain.row = row->row - 1;
    plain.setRow = row->customHeight || row->format.has_value();
    plain.height = row->height;
    plain.format = row->format;
    plain.firstCell = out.cells.size();
    for (const excel::ResolvedCell& cell : row->cells) {
      if (std::binary_search(anchors.begin(), anchors.end(), std::pair(row->row, cell.col))) {
        continue;
      }
      DirectCell c;
      c.col = cell.col - 1;
      c.format = cell.format;
      if (cell.kind == excel::ResolvedCell::Kind::Text) {
        c.kind = DirectCell::Kind::Text;
        c.text = out.AddText(cell.text);
      } else if (cell.kind == excel::ResolvedCell::Kind::Number) {
        c.kind = DirectCell::Kind::Number;
        c.number = cell.number;
      }
      out.cells.push_back(c);
    }
    plain.cellCount = out.cells.size() - plain.firstCell;
    out.rows.push_back(plain);
  }
}

void AddLinks(const excel::ResolvedSheet& resolved, DirectSheet& out) {
  for (const excel::ResolvedLink& link : resolved.links) {
    DirectLink plain;
    plain.row = link.row - 1;
    plain.col = link.anchor.col - 1;
    plain.target = excel::oracle::LinkArgument(link.kind, link.address, link.subAddress);
    plain.text =
        out.AddText(link.anchor.kind == excel::ResolvedCell::Kind::Text ? link.anchor.text
                                                                        : std::string_view());
    plain.tip = link.screenTip;
    plain.format = link.anchor.format;
    plain.rewriteText = link.kind == excel::ResolvedLink::Kind::File;
    out.links.push_back(std::move(plain));
  }
}

void AddNames(const excel::ResolvedSheet& resolved, DirectSheet& out) {
  for (const excel::ResolvedName& name : resolved.names) {
    out.names.push_back({resolved.name + "!" + name.name,
                         "=" + resolved.name + "!" + excel::AbsoluteAddress(name.refersTo)});
  }
  // The library keeps names sorted and searches from the front: from last to first is one step
  // each.
  std::sort(out.names.begin(), out.names.end(), [](const DirectName& a, const DirectName& b) {
    return excel::AsciiLower(a.name) > excel::AsciiLower(b.name);
  });
}

}  // namespace

bool ExportWhole(const std::string& source, const std::string& config, const std::string& setup) {
  ResetRunState();
  return iclsExportExcel().ParseMain(source, config, setup, ".xlsx");
}

struct PhasedExport::State {
  clsExportExcel run;
  std::unique_ptr<clsXMLPars> parser;
  std::unique_ptr<clsBldExcel> builder;
};

PhasedExport::PhasedExport(std::string config, std::string setup)
    : config_(std::move(config)), setup_(std::move(setup)), state_(std::make_unique<State>()) {}

PhasedExport::~PhasedExport() {
  state_.reset();
  ResetRunState();
}

void PhasedExport::Prepare() {
  ResetRunState();
  Run().sLogPath = GetEnvDir("KVO_EXPORT_DIR") + "ExportExcel.log";
  Require(state_->run.GetIniXML(config_), "configuration");
  InitResources();
  Require(state_->run.FillExcellCap(setup_), "setup string");
  Require(state_->run.FillAttrLabels(), "label tables");
}

void PhasedExport::LoadAndWalk(const std::string& source) {
  state_->parser = std::make_unique<clsXMLPars>();
  std::shared_ptr<xml::Document> doc;
  Require(state_->parser->LoadCurrentXML(doc, source), "load");
  state_->run.ClearMainArray();
  state_->parser->MainXStruct(doc);
  doc.reset();
  Require(Run().lMainUBound >= 0, "walk");
}

void PhasedExport::Build(const std::string& source) {
  RunState& run = Run();
  const std::string name = run.vExlCaption.LastEntry() >= 1 ? run.vExlCaption(1, 1) : "";
  run.sOutputPath = clsExportExcel::OutputPath(source, ".xlsx", name);
  std::filesystem::remove(run.sOutputPath);
  state_->builder = std::make_unique<clsBldExcel>();
  Require(state_->builder->InitExl(run.sOutputPath), "new workbook");
  Require(state_->builder->FillExlFile(), "fill");
}

DirectSheet PhasedExport::Materialise() const {
  const excel::ResolvedSheet resolved =
      excel::ResolveSheet(test::BldExcelProbe::Sheet(*state_->builder));
  DirectSheet out;
  out.name = resolved.name;
  if (resolved.defaultRowHeightSet) out.defaultRowHeight = resolved.defaultRowHeight;
  for (const excel::CellFormat& look : resolved.formats) out.formats.push_back(Plain(look));
  for (const excel::ColumnRun& run : resolved.columns) {
    out.columns.push_back({run.first - 1, run.last - 1, run.width, run.format});
  }
  for (const excel::Rect& area : resolved.merges) out.merges.push_back(Area(area));
  AddRows(resolved, out);
  AddLinks(resolved, out);
  AddNames(resolved, out);
  out.landscape = resolved.page.landscape;
  out.paperSize = resolved.page.paperSize;
  if (resolved.page.titleRows) {
    out.titleRows =
        std::pair(resolved.page.titleRows->top - 1, resolved.page.titleRows->bottom - 1);
  }
  if (!resolved.page.centerFooter.empty()) out.footer = "&C" + resolved.page.centerFooter;
  if (resolved.page.printArea) out.printArea = Area(*resolved.page.printArea);
  return out;
}

bool PhasedExport::SaveAsXls(const std::string& path) const {
  const excel::Worksheet& sheet = test::BldExcelProbe::Sheet(*state_->builder);
  const excel::FileFormat& xls = excel::FileFormatFor(path);
  if (sheet.Store().LastRow() > xls.limits.rows) return false;
  xls.write(excel::ResolveSheet(sheet), path);
  return true;
}

void PhasedExport::Save() {
  Require(state_->builder->ExitExl(), "save");
  state_->builder.reset();
  state_->run.ClearMainArray();
  state_->parser.reset();
  ResetRunState();
}

}  // namespace kvo::bench
