"""A structure export of items, checked row by row against the layout worked out by hand."""

import unittest

from kvo_e2e import STAMP, Export, ExportTestCase, setup_xml

SOURCE = """<?xml version="1.0" encoding="UTF-8"?>
<Root_Element>
  <Item number="A-1" revision="B" description="Top" itemType="Assembly" uom="EA"
        lifecycleState="Released">
    <BomLine findNumber="10" quantity="2" mounting="Screwed">
      <Item number="C-1" revision="A" description="Child one" lifecycleState="Prototype">
        <ItemManufacturer mfrPartNumber="M-1" preference="Preferred">
          <Manufacturer mfrId="MF1" name="Maker One"/>
        </ItemManufacturer>
        <ItemManufacturer mfrPartNumber="M-2"><Manufacturer mfrId="MF2" name="Maker Two"/></ItemManufacturer>
        <ItemSupplier supplierPartNumber="S-1" mfrPartNumber="M-1" leadTimeDays="5">
          <Supplier supplierId="SU1" name="Sup One"/><ManufacturerRef mfrId="MF1"/>
        </ItemSupplier>
        <ItemSupplier supplierPartNumber="S-2" leadTimeDays="7">
          <Supplier supplierId="SU2" name="Sup Two"/>
        </ItemSupplier>
      </Item>
      <LocalAlternate number="C-1-ALT"/>
      <RefDes designator="R3"/><RefDes designator="R1"/><RefDes designator="R2"/>
      <RefDes designator="R10"/>
    </BomLine>
    <BomLine findNumber="20" quantity="1" mounting="SMD">
      <Item number="C-2" revision="A" description="Child two">
        <BomLine findNumber="5" quantity="4">
          <Item number="G-1" revision="C" description="Grandchild"/>
        </BomLine>
      </Item>
    </BomLine>
    <ItemDocument>
      <Document docNumber="D-1" docRevision="3" title="Service manual" docType="Manual"
                status="Released">
        <DocDataset><Dataset fileName="docs/a b#1.pdf" fileType="PDF"/></DocDataset>
        <DocDataset/>
        <DocDataset><Dataset fileName="docs/c%d.step"/></DocDataset>
      </Document>
    </ItemDocument>
    <ItemDrawing>
      <Document docNumber="DR-1" docRevision="1" title="Drawing">
        <DocDataset><Dataset fileName="drw/dr1.pdf"/></DocDataset>
      </Document>
    </ItemDrawing>
    <ItemFolder><Folder folderNumber="F-1" folderRevision="0" folderName="Folder One" owner="me"/></ItemFolder>
  </Item>
  <Item number="IGNORED" revision="Z" description="second top-level item"/>
</Root_Element>
"""

ITEM_HEAD = ("ID", "Revision", "Description")
ITEM_ATTRS = ("Item Type", "Category", "Unit of Measure", "Lifecycle", "Material", "Weight (g)",
              "RoHS")


class ItemStructureExport(ExportTestCase):
    @classmethod
    def setUpClass(cls):
        cls.export(SOURCE, setup_xml("STRUCTURE", "Item", PREPARED_BY="Ann",
                                        PROJECT="P-7", EXPORT_DATE="ignored"))

    def test_workbook_is_written_next_to_the_source(self):
        self.assertEqual(self.x.path, self.x.source[:-len(".xml")] + ".xlsx")
        self.assertEqual(self.x.wb.sheetnames, ["Sheet1"])
        # Only the empty dataset relation of D-1 is reported.
        lines = self.x.log_lines()
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("dataset relation 1 of document D-1 has no child nodes", lines[0])

    def test_caption_table(self):
        x = self.x
        self.assertRow(x, 1, ["Prepared By", "Report Name", "Project", "Export Date"])
        self.assertEqual(x.row(2, 3), ["Ann", None, "P-7"])
        self.assertRegex(x.value("D2"), STAMP)
        self.assertTrue(x.ws["A1"].font.b and x.ws["D1"].font.b)
        self.assertFalse(x.ws["A2"].font.b)
        self.assertEmptyRow(x, 3)

    def test_main_caption_bar_spans_fixed_and_tag_columns(self):
        x = self.x
        self.assertIn("A4:J4", x.merged())  # six fixed columns and four additional tags
        bar = x.ws["A4"]
        self.assertEqual(bar.value, "Main Panel")
        self.assertTrue(bar.font.b)
        self.assertEqual(bar.font.sz, 14)
        self.assertEqual(bar.font.color.rgb, "FFFFFFFF")
        self.assertEqual(bar.fill.fgColor.rgb, "FF000000")
        self.assertEqual(bar.border.top.style, "thin")
        self.assertEqual(bar.border.left.style, None)
        self.assertEqual(x.ws.row_dimensions[4].height, 18)
        self.assertEqual(bar.alignment.vertical, "top")  # the final top alignment wins

    def test_main_panel_rows_in_pre_order_with_levels_and_tags(self):
        x = self.x
        self.assertRow(x, 5, ["Level", "ID", "Find No", "Description", "Quantity", "Revision",
                              "Lifecycle", "Mounting", "Reference Designators",
                              "Unit of Measure"])
        self.assertTrue(all(x.ws.cell(row=5, column=c).font.b for c in range(1, 11)))
        self.assertRow(x, 6, [0, "A-1", None, "Top", None, "B", "Released", None, None, "EA"])
        self.assertRow(x, 7, [1, "C-1", "10", "Child one", "2", "A", "Prototype", "Screwed",
                              "R1-R3,R10", None])
        self.assertRow(x, 8, [1, "C-2", "20", "Child two", "1", "A", None, "SMD", None, None])
        self.assertRow(x, 9, [2, "G-1", "5", "Grandchild", "4", "C", None, None, None, None])
        self.assertIsInstance(x.value("A9"), (int, float))  # levels are numbers
        self.assertEmptyRow(x, 10)

    def test_links_from_the_main_panel_to_the_blocks(self):
        x = self.x
        names = x.names()
        self.assertEqual(names, {"ID_A_451_B_0": 12, "ID_C_451_A_1": 52, "ID_C_452_A_2": 74,
                                 "ID_G_451_C_3": 84})
        for row, block in ((6, 12), (7, 52), (8, 74), (9, 84)):
            self.assertInternalLink(x, f"B{row}", names, block)
            self.assertIsNone(x.link(f"A{row}"))
        self.assertEqual(x.value("B6"), "A-1")  # the link keeps the cell's text
        self.assertTrue(x.ws["B6"].font.u)

    def test_property_bar(self):
        x = self.x
        self.assertIn("A11:F11", x.merged())
        self.assertEqual(x.value("A11"), "Property Panel")
        self.assertEqual(x.ws["A11"].fill.fgColor.rgb, "FF000000")

    def test_top_item_block(self):
        x = self.x
        self.assertHead(x, 12, ITEM_HEAD, ("A-1", "B", "Top"), fill="FFC0C0C0", borders=True)
        self.assertSubCaption(x, 13, "Attributes")
        # Seven attributes fill three rows, column pair by column pair.
        self.assertRow(x, 14, ["Item Type", "Assembly", "Lifecycle", "Released", "RoHS", None])
        self.assertRow(x, 15, ["Category", None, "Material", None, None, None])
        self.assertRow(x, 16, ["Unit of Measure", "EA", "Weight (g)", None, None, None])
        self.assertLabels(x, 14, "ACE")
        self.assertEmptyRow(x, 17)

    def test_part_list_with_alternates_and_designators(self):
        x = self.x
        self.assertSubCaption(x, 18, "Part List")
        self.assertRow(x, 19, ["Child", "C-1", "Find No", "10", "Quantity", "2"])
        self.assertRow(x, 20, ["Description", "Child one", "Reference Designators", "R1-R3,R10"])
        self.assertIn("D20:F20", x.merged())
        self.assertIn("A21:B21", x.merged())
        self.assertEqual(x.row(21, 3), ["Local Alternative Items of Child", None, "C-1"])
        self.assertTrue(x.ws["A21"].font.i)
        self.assertEqual(x.ws["A21"].font.color.rgb, "FF969696")
        self.assertEqual(x.ws["C21"].font.color.rgb, "FF969696")
        self.assertRow(x, 22, ["ALTERNATE ID", "C-1-ALT", None, None, None, None])
        self.assertEmptyRow(x, 23)
        self.assertRow(x, 24, ["Child", "C-2", "Find No", "20", "Quantity", "1"])
        self.assertRow(x, 25, ["Description", "Child two", "Reference Designators", None])
        self.assertEmptyRow(x, 26)

    def test_documents_with_files(self):
        x = self.x
        self.assertSubCaption(x, 27, "Documents")
        self.assertHead(x, 28, ("Doc. ID", "Revision", "Description"),
                        ("D-1", "3", "Service manual"))
        self.assertRow(x, 29, ["Document Type", "Manual", "Author", None, "Created", None])
        self.assertRow(x, 30, ["Status", "Released", "Language", None, None, None])
        self.assertEmptyRow(x, 31)
        self.assertSubCaption(x, 32, "Files of Document")
        self.assertRow(x, 33, ["File Name", "docs/a b#1.pdf"])
        self.assertFileLink(x, "B33", "docs/a b#1.pdf")
        self.assertRow(x, 34, ["File Type", "PDF", "Size (kB)", None, "Modified", None])
        self.assertEmptyRow(x, 35)
        # The empty dataset relation keeps its place without a link.
        self.assertRow(x, 36, ["File Name", None])
        self.assertIsNone(x.link("B36"))
        self.assertEmptyRow(x, 37)
        self.assertFileLink(x, "B38", "docs/c%d.step")
        self.assertRow(x, 39, ["File Type", None, "Size (kB)", None, "Modified", None])
        self.assertEmptyRow(x, 40)

    def test_drawing_and_folder_lists(self):
        x = self.x
        self.assertSubCaption(x, 41, "Drawings")
        self.assertHead(x, 42, ("Drawing ID", "Revision", "Description"), ("DR-1", "1", "Drawing"))
        self.assertEmptyRow(x, 43)
        self.assertSubCaption(x, 44, "Files of Drawing")
        self.assertFileLink(x, "B45", "drw/dr1.pdf")
        self.assertEmptyRow(x, 47)
        self.assertSubCaption(x, 48, "Folders")
        self.assertHead(x, 49, ("FLD ID", "Revision", "Description"), ("F-1", "0", "Folder One"))
        self.assertRow(x, 50, ["Owner", "me", "Project", None, "Access", None])
        self.assertEmptyRow(x, 51)

    def test_manufacturers_and_suppliers_in_their_three_sections(self):
        x = self.x
        self.assertHead(x, 52, ITEM_HEAD, ("C-1", "A", "Child one"), fill="FFC0C0C0",
                        borders=True)
        self.assertSubCaption(x, 53, "Attributes")
        self.assertSubCaption(x, 58, "Manufacturers")  # those without suppliers
        self.assertRow(x, 59, ["Man. ID", "MF2", "MPN", "M-2", "Name", "Maker Two"])
        self.assertRow(x, 60, ["Preference", None, "Part Status", None, "Qualified On", None])
        self.assertEmptyRow(x, 61)
        self.assertSubCaption(x, 62, "Suppliers")  # the item's own, with attributes
        self.assertRow(x, 63, ["Sup. ID", "SU2", "SPN", "S-2", "Name", "Sup Two"])
        self.assertRow(x, 64, ["Lead Time (days)", "7", "Currency", None, None, None])
        self.assertRow(x, 65, ["Unit Price", None, "MOQ", None, None, None])
        self.assertEmptyRow(x, 66)
        self.assertSubCaption(x, 67, "Manufacturers with Suppliers")
        self.assertRow(x, 68, ["Man. ID", "MF1", "MPN", "M-1", "Name", "Maker One"])
        self.assertRow(x, 69, ["Preference", "Preferred", "Part Status", None, "Qualified On",
                               None])
        self.assertEmptyRow(x, 70)
        self.assertIn("A71:B71", x.merged())
        self.assertEqual(x.row(71, 3), ["Suppliers of Manufacturer", None, "MF1"])
        self.assertRow(x, 72, ["Sup. ID", "SU1", "SPN", "S-1", "Name", "Sup One"])
        self.assertEmptyRow(x, 73)

    def test_child_blocks_follow_in_array_order(self):
        x = self.x
        self.assertHead(x, 74, ITEM_HEAD, ("C-2", "A", "Child two"), fill="FFC0C0C0",
                        borders=True)
        self.assertSubCaption(x, 80, "Part List")
        self.assertRow(x, 81, ["Child", "G-1", "Find No", "5", "Quantity", "4"])
        self.assertEmptyRow(x, 83)
        self.assertHead(x, 84, ITEM_HEAD, ("G-1", "C", "Grandchild"), fill="FFC0C0C0",
                        borders=True)
        self.assertSubCaption(x, 85, "Attributes")
        self.assertEmptyRow(x, 89)
        self.assertEmptyRow(x, 90)
        self.assertNotIn("IGNORED", [c.value for row in x.ws.iter_rows() for c in row])

    def test_whole_sheet_formats_and_page_setup(self):
        x = self.x
        for ref in ("A1", "B7", "F49", "A84"):
            cell = x.ws[ref]
            self.assertEqual(cell.alignment.horizontal, "left", ref)
            self.assertEqual(cell.alignment.vertical, "top", ref)
            self.assertTrue(cell.alignment.wrap_text, ref)
            self.assertEqual(cell.number_format, "@", ref)
        self.assertAlmostEqual(x.ws.column_dimensions["A"].width, 21.7109375)
        self.assertEqual(x.ws.page_setup.orientation, "landscape")
        self.assertIn(x.ws.print_title_rows, ("1:3", "$1:$3"))
        self.assertEqual(x.ws.oddFooter.center.text, "&P")
        self.assertIn("$A$1:$F$90", str(x.ws.print_area))


if __name__ == "__main__":
    unittest.main()
