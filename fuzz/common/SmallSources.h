// Small source documents in the bundled configuration's names, one per object kind, with one
// object of every relation the parser reads: the exports the configuration target builds.
#pragma once

namespace kvo::fuzz {

inline constexpr const char* kSmallSources[] = {
    // Items
    R"(<Root_Element><Item number="A-1" revision="B" description="Top" itemType="Assembly"
 category="Top" uom="EA"><BomLine findNumber="10" quantity="2" mounting="SMD"><Item number="C-1"
 revision="A" itemType="Part"><ItemManufacturer mfrPartNumber="M-1" preference="Preferred">
<Manufacturer mfrId="MFR-1" name="Maker"/></ItemManufacturer><ItemSupplier supplierPartNumber="S-1"
 mfrPartNumber="M-1" leadTimeDays="3"><Supplier supplierId="SUP-1" name="Seller"/>
<ManufacturerRef mfrId="MFR-1"/></ItemSupplier><ItemSupplier supplierPartNumber="S-2">
<Supplier supplierId="SUP-2" name="Other"/></ItemSupplier></Item><LocalAlternate number="C-2"/>
<RefDes designator="R1"/><RefDes designator="R2"/></BomLine><ItemDocument><Document
 docNumber="D-1" docRevision="A" title="Spec"><DocDataset><Dataset fileName="spec/a b.pdf"
 fileType="PDF"/></DocDataset></Document></ItemDocument><ItemDrawing><Document docNumber="DRW-1"
 docRevision="C" title="Drawing"><DocDataset><Dataset fileName="C:\cad\x.dwg"/></DocDataset>
</Document></ItemDrawing><ItemFolder><Folder folderNumber="F-1" folderRevision="1"
 folderName="Program"/></ItemFolder></Item></Root_Element>)",
    // Documents
    R"(<Root_Element><Document docNumber="D-1" docRevision="A" title="Package" docType="TDP">
<DocDataset><Dataset fileName="tdp/index.pdf" fileType="PDF"/></DocDataset><DocDataset/>
<DocStructure><Document docNumber="D-2" docRevision="B" title="Child"><DocDataset><Dataset
 fileName="\\server\share\c.pdf"/></DocDataset></Document></DocStructure><DocItem><Item
 number="A-1" revision="B" description="Top"/></DocItem><DocFolder><Folder folderNumber="F-1"
 folderRevision="1" folderName="Program"/></DocFolder><DocReference><Document docNumber="D-9"
 docRevision="A" title="Referenced"/></DocReference></Document><Document docNumber="D-3"
 docRevision="A" title="Second"/></Root_Element>)",
    // Folders
    R"(<Root_Element><Folder folderNumber="F-1" folderRevision="1" folderName="Program"
 owner="Owner"><FolderStructure><Folder folderNumber="F-2" folderRevision="2" folderName="Child">
<FolderItem><Item number="A-1" revision="B" description="Top"/></FolderItem></Folder>
</FolderStructure><FolderDocument><Document docNumber="D-1" docRevision="A" title="Package">
<DocDataset><Dataset fileName="https://example.com/a.pdf"/></DocDataset></Document>
</FolderDocument><FolderReference><Folder folderNumber="F-9" folderRevision="1"
 folderName="Referenced"/></FolderReference></Folder><Folder folderNumber="F-3"
 folderRevision="1" folderName="Second"/></Root_Element>)",
};

}  // namespace kvo::fuzz
