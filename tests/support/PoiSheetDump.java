// Reads Excel 97-2003 workbooks with Apache POI (HSSF) and prints, per workbook, one JSON line
// with what POI sees on the first sheet: every cell with a record (value and font), every
// hyperlink (kind, address, text mark) and every defined name (scope, formula). A workbook POI
// cannot read gives a line with "error" instead.
//
//     java -cp POI_CLASSPATH PoiSheetDump.java WORKBOOK...
import java.io.FileInputStream;
import org.apache.poi.hssf.usermodel.HSSFCell;
import org.apache.poi.hssf.usermodel.HSSFFont;
import org.apache.poi.hssf.usermodel.HSSFHyperlink;
import org.apache.poi.hssf.usermodel.HSSFName;
import org.apache.poi.hssf.usermodel.HSSFRow;
import org.apache.poi.hssf.usermodel.HSSFSheet;
import org.apache.poi.hssf.usermodel.HSSFWorkbook;
import org.apache.poi.hssf.util.HSSFColor;
import org.apache.poi.ss.usermodel.CellType;
import org.apache.poi.ss.util.CellReference;

public class PoiSheetDump {
  static String quoted(String s) {
    if (s == null) return "null";
    StringBuilder b = new StringBuilder("\"");
    for (int i = 0; i < s.length(); ++i) {
      char c = s.charAt(i);
      if (c == '"' || c == '\\') b.append('\\').append(c);
      else if (c < 0x20) b.append(String.format("\\u%04x", (int) c));
      else b.append(c);
    }
    return b.append('"').toString();
  }

  // The font as the tests write a look: "b i u=single sz=11 fc=auto".
  static String font(HSSFWorkbook book, HSSFFont f) {
    StringBuilder b = new StringBuilder();
    if (f.getBold()) b.append("b ");
    if (f.getItalic()) b.append("i ");
    if (f.getUnderline() == HSSFFont.U_SINGLE) b.append("u=single ");
    if (f.getUnderline() == HSSFFont.U_DOUBLE) b.append("u=double ");
    double size = f.getFontHeightInPoints();
    b.append("sz=").append(size == Math.floor(size) ? String.valueOf((int) size) : String.valueOf(size));
    short index = f.getColor();
    HSSFColor colour = index == HSSFFont.COLOR_NORMAL ? null : book.getCustomPalette().getColor(index);
    if (colour == null) {
      b.append(" fc=auto");
    } else {
      short[] rgb = colour.getTriplet();
      b.append(String.format(" fc=FF%02X%02X%02X", rgb[0], rgb[1], rgb[2]));
    }
    return b.toString();
  }

  static String dump(String path) throws Exception {
    try (FileInputStream in = new FileInputStream(path); HSSFWorkbook book = new HSSFWorkbook(in)) {
      HSSFSheet sheet = book.getSheetAt(0);
      StringBuilder out = new StringBuilder("{\"path\":").append(quoted(path));
      out.append(",\"sheet\":").append(quoted(sheet.getSheetName())).append(",\"cells\":{");
      boolean first = true;
      for (int r = sheet.getFirstRowNum(); r <= sheet.getLastRowNum(); ++r) {
        HSSFRow row = sheet.getRow(r);
        if (row == null) continue;
        for (int c = Math.max(row.getFirstCellNum(), 0); c < row.getLastCellNum(); ++c) {
          HSSFCell cell = row.getCell(c);
          if (cell == null) continue;
          String value;
          if (cell.getCellType() == CellType.STRING) {
            value = "[\"str\"," + quoted(cell.getStringCellValue()) + "]";
          } else if (cell.getCellType() == CellType.NUMERIC) {
            value = "[\"float\"," + cell.getNumericCellValue() + "]";
          } else if (cell.getCellType() == CellType.BLANK) {
            value = "null";
          } else {
            value = "[" + quoted(cell.getCellType().toString()) + ",null]";
          }
          if (!first) out.append(',');
          first = false;
          out.append(quoted(new CellReference(r, c).formatAsString())).append(":{\"value\":")
              .append(value).append(",\"font\":")
              .append(quoted(font(book, cell.getCellStyle().getFont(book)))).append('}');
        }
      }
      out.append("},\"links\":{");
      first = true;
      for (HSSFHyperlink link : sheet.getHyperlinkList()) {
        if (!first) out.append(',');
        first = false;
        out.append(quoted(new CellReference(link.getFirstRow(), link.getFirstColumn())
                              .formatAsString()))
            .append(":{\"type\":").append(quoted(link.getType().toString()))
            .append(",\"address\":").append(quoted(link.getAddress()))
            .append(",\"mark\":").append(quoted(link.getTextMark())).append('}');
      }
      out.append("},\"names\":{");
      first = true;
      for (int i = 0; i < book.getNumberOfNames(); ++i) {
        HSSFName name = book.getNameAt(i);
        if (!first) out.append(',');
        first = false;
        out.append(quoted(name.getSheetIndex() + ":" + name.getNameName())).append(':')
            .append(quoted(name.getRefersToFormula()));
      }
      return out.append("}}").toString();
    }
  }

  public static void main(String[] args) {
    for (String path : args) {
      try {
        System.out.println(dump(path));
      } catch (Exception e) {
        System.out.println("{\"path\":" + quoted(path) + ",\"error\":" + quoted(e.toString()) + "}");
      }
    }
  }
}
