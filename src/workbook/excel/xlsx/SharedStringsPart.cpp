// The shared strings part: each distinct cell text once, numbered in order of first use.
#include "workbook/excel/xlsx/SharedStringsPart.h"

namespace kvo::excel {

namespace {

// Leading and trailing blanks, tabs and line feeds survive reading only when marked.
bool NeedsPreserve(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };
  return !text.empty() && (blank(text.front()) || blank(text.back()));
}

}  // namespace

std::uint32_t SharedStringsPart::Use(std::string_view text, bool bStable) {
  ++uses_;
  const std::uint32_t hash = HashText(text);
  const std::uint32_t found =
      numbers_.Find(hash, [&](std::uint32_t number) { return ordered_[number] == text; });
  if (found != TextIndex::kNone) return found;
  const auto number = static_cast<std::uint32_t>(ordered_.size());
  if (!bStable) text = copies_.emplace_back(text);
  ordered_.push_back(text);
  numbers_.Add(hash, number);
  return number;
}

void SharedStringsPart::Write(XmlStream& xml) const {
  xml.Declaration().Raw("<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"");
  xml.Attr("count", static_cast<std::int64_t>(uses_))
      .Attr("uniqueCount", static_cast<std::int64_t>(ordered_.size()))
      .Raw(">");
  for (const std::string_view text : ordered_) {
    xml.Raw(NeedsPreserve(text) ? "<si><t xml:space=\"preserve\">" : "<si><t>")
        .Text(text)
        .Raw("</t></si>");
    xml.MaybeFlush();
  }
  xml.Raw("</sst>");
}

}  // namespace kvo::excel
