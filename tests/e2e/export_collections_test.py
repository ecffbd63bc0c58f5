"""Collection exports of items and of folders: only top-level objects get a main-panel row and
a block, and the links sit in column A."""

import unittest

from kvo_e2e import Export, ExportTestCase, setup_xml

ITEMS = """<Root_Element>
  <Item number="A" revision="1" description="First" uom="EA">
    <BomLine findNumber="10" quantity="3" mounting="SMD">
      <Item number="A1" revision="1" description="Sub"/><RefDes designator="U1"/>
    </BomLine>
  </Item>
  <Note text="not an item"/>
  <Item number="B" revision="2" description="Second"/>
  <Item number="C" revision="3" description="Third" lifecycleState="Obsolete"/>
</Root_Element>
"""

FOLDERS = """<Root_Element>
  <Folder folderNumber="F-1" folderRevision="0" folderName="Program" owner="PM" project="X"
          access="Team">
    <FolderStructure><Folder folderNumber="F-2" folderRevision="1" folderName="Design"/></FolderStructure>
    <FolderItem><Item number="P-5" revision="A" description="Bracket"/></FolderItem>
    <FolderDocument>
      <Document docNumber="D-5" docRevision="2" title="Plan">
        <DocDataset><Dataset fileName="plan.pdf"/></DocDataset>
      </Document>
    </FolderDocument>
    <FolderReference><Folder folderNumber="F-99" folderRevision="3" folderName="Shared"/></FolderReference>
  </Folder>
  <Folder folderNumber="F-50" folderRevision="0" folderName="Second top"/>
</Root_Element>
"""

ITEM_HEAD = ("ID", "Revision", "Description")
FOLDER_HEAD = ("FLD ID", "Revision", "Description")


class ItemCollectionExport(ExportTestCase):
    @classmethod
    def setUpClass(cls):
        cls.export(ITEMS, setup_xml("COLLECTION", "Item"))

    def test_main_panel_lists_top_level_items_without_level_column(self):
        x = self.x
        self.assertIn("A4:I4", x.merged())  # five fixed columns and four tags
        self.assertRow(x, 5, ["ID", "Find No", "Description", "Quantity", "Revision", "Lifecycle",
                              "Mounting", "Reference Designators", "Unit of Measure"])
        self.assertRow(x, 6, ["A", None, "First", None, "1", None, None, None, "EA"])
        self.assertRow(x, 7, ["B", None, "Second", None, "2", None, None, None, None])
        self.assertRow(x, 8, ["C", None, "Third", None, "3", "Obsolete", None, None, None])
        self.assertEmptyRow(x, 9)
        self.assertEqual(x.value("A10"), "Property Panel")

    def test_blocks_only_for_top_level_items(self):
        x = self.x
        self.assertHead(x, 11, ITEM_HEAD, ("A", "1", "First"), fill="FFC0C0C0", borders=True)
        self.assertSubCaption(x, 12, "Attributes")
        self.assertRow(x, 15, ["Unit of Measure", "EA", "Weight (g)", None, None, None])
        self.assertSubCaption(x, 17, "Part List")
        self.assertRow(x, 18, ["Child", "A1", "Find No", "10", "Quantity", "3"])
        self.assertRow(x, 19, ["Description", "Sub", "Reference Designators", "U1"])
        self.assertEmptyRow(x, 20)
        self.assertHead(x, 21, ITEM_HEAD, ("B", "2", "Second"), fill="FFC0C0C0", borders=True)
        self.assertHead(x, 27, ITEM_HEAD, ("C", "3", "Third"), fill="FFC0C0C0", borders=True)
        self.assertRow(x, 29, ["Item Type", None, "Lifecycle", "Obsolete", "RoHS", None])
        self.assertEmptyRow(x, 32)
        self.assertIn("$A$1:$F$33", str(x.ws.print_area))

    def test_links_in_column_a(self):
        x = self.x
        names = x.names()
        self.assertEqual(names, {"ID_A_1_0": 11, "ID_B_2_2": 21, "ID_C_3_3": 27})
        for row, block in ((6, 11), (7, 21), (8, 27)):
            self.assertInternalLink(x, f"A{row}", names, block)
            self.assertIsNone(x.link(f"B{row}"))


class FolderCollectionExport(ExportTestCase):
    @classmethod
    def setUpClass(cls):
        cls.export(FOLDERS, setup_xml("COLLECTION", "Folder"))

    def test_main_panel(self):
        x = self.x
        self.assertIn("A4:G4", x.merged())
        self.assertRow(x, 5, ["FLD ID", "Revision", "Description", "Owner", "Remarks", "Project",
                              "Access"])
        self.assertRow(x, 6, ["F-1", "0", "Program", "PM", None, "X", "Team"])
        self.assertRow(x, 7, ["F-50", "0", "Second top", None, None, None, None])
        self.assertEmptyRow(x, 8)
        self.assertEqual(x.value("A9"), "Property Panel")

    def test_folder_block_with_children_items_documents_and_references(self):
        x = self.x
        self.assertHead(x, 10, FOLDER_HEAD, ("F-1", "0", "Program"), fill="FFC0C0C0",
                        borders=True)
        self.assertSubCaption(x, 11, "Attributes")
        self.assertRow(x, 12, ["Owner", "PM", "Project", "X", "Access", "Team"])
        self.assertEmptyRow(x, 13)
        self.assertSubCaption(x, 14, "Child Folders")
        self.assertHead(x, 15, FOLDER_HEAD, ("F-2", "1", "Design"))
        self.assertRow(x, 16, ["Owner", None, "Project", None, "Access", None])
        self.assertEmptyRow(x, 17)
        self.assertSubCaption(x, 18, "Items")
        self.assertHead(x, 19, ITEM_HEAD, ("P-5", "A", "Bracket"))
        self.assertEmptyRow(x, 23)
        self.assertSubCaption(x, 24, "Documents")
        self.assertHead(x, 25, ("Doc. ID", "Revision", "Description"), ("D-5", "2", "Plan"))
        self.assertSubCaption(x, 29, "Files of Document")
        self.assertFileLink(x, "B30", "plan.pdf")
        self.assertEmptyRow(x, 32)
        self.assertSubCaption(x, 33, "Reference Folders")
        self.assertHead(x, 34, FOLDER_HEAD, ("F-99", "3", "Shared"))
        self.assertEmptyRow(x, 36)

    def test_second_top_level_folder_and_links(self):
        x = self.x
        self.assertHead(x, 37, FOLDER_HEAD, ("F-50", "0", "Second top"), fill="FFC0C0C0",
                        borders=True)
        names = x.names()
        self.assertEqual(names, {"ID_F_451_0_0": 10, "ID_F_4550_0_2": 37})
        self.assertInternalLink(x, "A6", names, 10)
        self.assertInternalLink(x, "A7", names, 37)
        self.assertIn("$A$1:$F$41", str(x.ws.print_area))


if __name__ == "__main__":
    unittest.main()
