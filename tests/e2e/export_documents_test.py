"""A structure export of documents: files, related items, folders, child and referenced
documents, checked row by row against the layout worked out by hand."""

import unittest

from kvo_e2e import Export, ExportTestCase, setup_xml

SOURCE = """<Root_Element>
  <Document docNumber="D-100" docRevision="A" title="Data package" docType="Package"
            status="Released" author="Kim" releaseDate="2024-01-02">
    <DocStructure>
      <Document docNumber="D-110" docRevision="B" title="Child doc" docType="Spec">
        <DocDataset><Dataset fileName="c/d110.pdf" fileType="PDF"/></DocDataset>
      </Document>
    </DocStructure>
    <DocStructure><Document docNumber="D-120" docRevision="A" title="Second child"/></DocStructure>
    <DocDataset><Dataset fileName="pkg/d100.zip" fileType="ZIP" sizeKB="12"/></DocDataset>
    <DocItem><Item number="P-1" revision="C" description="Part one" itemType="Component"/></DocItem>
    <DocItem><Folder folderNumber="NOT-AN-ITEM"/></DocItem>
    <DocFolder><Folder folderNumber="F-9" folderRevision="1" folderName="Archive" owner="QA"/></DocFolder>
    <DocReference><Document docNumber="D-900" docRevision="C" title="Referenced"/></DocReference>
  </Document>
</Root_Element>
"""

DOC_HEAD = ("Doc. ID", "Revision", "Description")


class DocumentStructureExport(ExportTestCase):
    @classmethod
    def setUpClass(cls):
        cls.export(SOURCE, setup_xml("STRUCTURE", "Document", REPORT_NAME="Package/List"))

    def test_named_output_stays_in_the_source_folder(self):
        self.assertEqual(self.x.path, self.x.dir + "/Package_List.xlsx")
        self.assertEqual(self.x.log_lines(), [])

    def test_main_panel(self):
        x = self.x
        self.assertIn("A4:H4", x.merged())  # six fixed columns and two additional tags
        self.assertRow(x, 5, ["Level", "Doc. ID", "Revision", "Description", "Document Type",
                              "Status", "Author", "Released"])
        self.assertRow(x, 6, [0, "D-100", "A", "Data package", "Package", "Released", "Kim",
                              "2024-01-02"])
        self.assertRow(x, 7, [1, "D-110", "B", "Child doc", "Spec", None, None, None])
        self.assertRow(x, 8, [1, "D-120", "A", "Second child", None, None, None, None])
        self.assertEmptyRow(x, 9)
        self.assertEqual(x.value("A10"), "Property Panel")

    def test_block_of_the_top_document(self):
        x = self.x
        self.assertHead(x, 11, DOC_HEAD, ("D-100", "A", "Data package"), fill="FFC0C0C0",
                        borders=True)
        self.assertSubCaption(x, 12, "Attributes")
        self.assertRow(x, 13, ["Document Type", "Package", "Author", "Kim", "Created", None])
        self.assertRow(x, 14, ["Status", "Released", "Language", None, None, None])
        self.assertEmptyRow(x, 15)
        self.assertSubCaption(x, 16, "Files of Document")
        self.assertFileLink(x, "B17", "pkg/d100.zip")
        self.assertRow(x, 18, ["File Type", "ZIP", "Size (kB)", "12", "Modified", None])
        self.assertEmptyRow(x, 19)

    def test_related_items_without_attribute_caption(self):
        x = self.x
        self.assertSubCaption(x, 20, "Items")
        self.assertHead(x, 21, ("ID", "Revision", "Description"), ("P-1", "C", "Part one"))
        self.assertRow(x, 22, ["Item Type", "Component", "Lifecycle", None, "RoHS", None])
        self.assertRow(x, 24, ["Unit of Measure", None, "Weight (g)", None, None, None])
        self.assertEmptyRow(x, 25)
        # A relation that holds no item keeps its slot: labels with empty values.
        self.assertHead(x, 26, ("ID", "Revision", "Description"), (None, None, None))
        self.assertEmptyRow(x, 27)

    def test_folders_children_and_references(self):
        x = self.x
        self.assertSubCaption(x, 28, "Folders")
        self.assertHead(x, 29, ("FLD ID", "Revision", "Description"), ("F-9", "1", "Archive"))
        self.assertRow(x, 30, ["Owner", "QA", "Project", None, "Access", None])
        self.assertEmptyRow(x, 31)
        self.assertSubCaption(x, 32, "Child Documents")
        self.assertHead(x, 33, DOC_HEAD, ("D-110", "B", "Child doc"))
        self.assertRow(x, 34, ["Document Type", "Spec", "Author", None, "Created", None])
        self.assertSubCaption(x, 37, "Files of Document")
        self.assertFileLink(x, "B38", "c/d110.pdf")
        self.assertHead(x, 41, DOC_HEAD, ("D-120", "A", "Second child"))
        self.assertEmptyRow(x, 44)
        self.assertSubCaption(x, 45, "Reference Documents")
        self.assertHead(x, 46, DOC_HEAD, ("D-900", "C", "Referenced"))
        self.assertEmptyRow(x, 49)

    def test_child_blocks_names_and_links(self):
        x = self.x
        self.assertHead(x, 50, DOC_HEAD, ("D-110", "B", "Child doc"), fill="FFC0C0C0",
                        borders=True)
        self.assertSubCaption(x, 55, "Files of Document")
        self.assertHead(x, 59, DOC_HEAD, ("D-120", "A", "Second child"), fill="FFC0C0C0",
                        borders=True)
        names = x.names()
        self.assertEqual(names, {"ID_D_45100_A_0": 11, "ID_D_45110_B_1": 50,
                                 "ID_D_45120_A_2": 59})
        for row, block in ((6, 11), (7, 50), (8, 59)):
            self.assertInternalLink(x, f"B{row}", names, block)
        self.assertIn("$A$1:$F$64", str(x.ws.print_area))


if __name__ == "__main__":
    unittest.main()
