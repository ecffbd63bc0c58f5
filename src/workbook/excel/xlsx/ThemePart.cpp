// The theme part: the colours and fonts the styles' theme references resolve to.
#include "workbook/excel/xlsx/ThemePart.h"

namespace kvo::excel {

namespace {

// The smallest complete theme: twelve scheme colours, heading and body fonts, and the three
// fill, line, effect and background styles every theme must list.
constexpr std::string_view kTheme =
    "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"kVo\">"
    "<a:themeElements>"
    "<a:clrScheme name=\"kVo\">"
    "<a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
    "<a:lt1><a:sysClr val=\"window\" lastClr=\"FFFFFF\"/></a:lt1>"
    "<a:dk2><a:srgbClr val=\"1F2D3D\"/></a:dk2>"
    "<a:lt2><a:srgbClr val=\"E8E6E1\"/></a:lt2>"
    "<a:accent1><a:srgbClr val=\"3C6E9F\"/></a:accent1>"
    "<a:accent2><a:srgbClr val=\"B5523B\"/></a:accent2>"
    "<a:accent3><a:srgbClr val=\"7A9A3A\"/></a:accent3>"
    "<a:accent4><a:srgbClr val=\"6A4C93\"/></a:accent4>"
    "<a:accent5><a:srgbClr val=\"2E9CA6\"/></a:accent5>"
    "<a:accent6><a:srgbClr val=\"E08E2B\"/></a:accent6>"
    "<a:hlink><a:srgbClr val=\"0000FF\"/></a:hlink>"
    "<a:folHlink><a:srgbClr val=\"800080\"/></a:folHlink>"
    "</a:clrScheme>"
    "<a:fontScheme name=\"kVo\">"
    "<a:majorFont><a:latin typeface=\"Cambria\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/>"
    "</a:majorFont>"
    "<a:minorFont><a:latin typeface=\"Calibri\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/>"
    "</a:minorFont>"
    "</a:fontScheme>"
    "<a:fmtScheme name=\"kVo\">"
    "<a:fillStyleLst>"
    "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
    "<a:solidFill><a:schemeClr val=\"phClr\"><a:tint val=\"50000\"/></a:schemeClr></a:solidFill>"
    "<a:solidFill><a:schemeClr val=\"phClr\"><a:shade val=\"80000\"/></a:schemeClr></a:solidFill>"
    "</a:fillStyleLst>"
    "<a:lnStyleLst>"
    "<a:ln w=\"9525\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>"
    "<a:ln w=\"25400\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>"
    "<a:ln w=\"38100\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>"
    "</a:lnStyleLst>"
    "<a:effectStyleLst>"
    "<a:effectStyle><a:effectLst/></a:effectStyle>"
    "<a:effectStyle><a:effectLst/></a:effectStyle>"
    "<a:effectStyle><a:effectLst/></a:effectStyle>"
    "</a:effectStyleLst>"
    "<a:bgFillStyleLst>"
    "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
    "<a:solidFill><a:schemeClr val=\"phClr\"><a:tint val=\"95000\"/></a:schemeClr></a:solidFill>"
    "<a:solidFill><a:schemeClr val=\"phClr\"><a:shade val=\"90000\"/></a:schemeClr></a:solidFill>"
    "</a:bgFillStyleLst>"
    "</a:fmtScheme>"
    "</a:themeElements>"
    "<a:objectDefaults/><a:extraClrSchemeLst/>"
    "</a:theme>";

}  // namespace

void WriteThemePart(XmlStream& xml) {
  xml.Declaration().Raw(kTheme);
}

}  // namespace kvo::excel
