#include "SyntheticExport.h"

#include <vector>

namespace kvo::bench {

namespace {

std::string ItemElement(int i) {
  const std::string n = std::to_string(i);
  return "<Item number=\"P-" + n + "\" revision=\"B\" description=\"Synthetic part " + n +
         " with a description long enough to wrap in its column\" itemType=\"Component\" "
         "category=\"Resistor\" uom=\"EA\" lifecycleState=\"Released\" material=\"Thick film\" "
         "weightGrams=\"0.002\" rohs=\"Yes\">"
         "<ItemManufacturer mfrPartNumber=\"MPN-" +
         n +
         "\" preference=\"Preferred\" "
         "partStatus=\"Active\" qualifiedOn=\"2023-04-12\"><Manufacturer mfrId=\"MFR-1\" "
         "name=\"Maker\"/></ItemManufacturer>"
         "<ItemSupplier supplierPartNumber=\"S-" +
         n + "\" mfrPartNumber=\"MPN-" + n +
         "\" "
         "leadTimeDays=\"14\" unitPrice=\"0.004\" currency=\"EUR\" minOrderQty=\"5000\">"
         "<Supplier supplierId=\"SUP-1\" name=\"Distributor\"/><ManufacturerRef mfrId=\"MFR-1\"/>"
         "</ItemSupplier>"
         "<ItemSupplier supplierPartNumber=\"D-" +
         n +
         "\" leadTimeDays=\"3\" unitPrice=\"0.01\" "
         "currency=\"EUR\" minOrderQty=\"1\"><Supplier supplierId=\"SUP-2\" name=\"Direct\"/>"
         "</ItemSupplier>"
         "<ItemDocument><Document docNumber=\"DS-" +
         n +
         "\" docRevision=\"1\" "
         "title=\"Datasheet\" docType=\"Datasheet\" status=\"Released\" author=\"QA\" "
         "language=\"EN\" created=\"2024-01-01\"><DocDataset><Dataset fileName=\"docs/ds-" +
         n +
         ".pdf\" fileType=\"PDF\" sizeKB=\"120\" modified=\"2024-01-01\"/></DocDataset>"
         "<DocDataset><Dataset fileName=\"docs/ds-" +
         n +
         ".step\" fileType=\"STEP\" "
         "sizeKB=\"800\" modified=\"2024-01-01\"/></DocDataset></Document></ItemDocument>";
}

}  // namespace

std::string ItemStructure(int lItems) {
  // Children of item i are items 4i+1 .. 4i+4 (a complete quaternary tree in pre-order text).
  std::string sXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root_Element>";
  struct Frame {
    int i;
    int nextChild;
  };
  std::vector<Frame> stack{{0, 1}};
  sXml += ItemElement(0);
  while (!stack.empty()) {
    Frame& top = stack.back();
    const int child = 4 * top.i + top.nextChild;
    if (top.nextChild <= 4 && child < lItems) {
      ++top.nextChild;
      const std::string n = std::to_string(child);
      sXml += "<BomLine findNumber=\"" + std::to_string(10 * (child % 4 + 1)) +
              "\" quantity=\"2\" mounting=\"SMD\">";
      sXml += ItemElement(child);
      stack.push_back({child, 1});
    } else {
      sXml += "</Item>";
      stack.pop_back();
      if (!stack.empty()) {
        const std::string n = std::to_string(top.i);
        sXml += "<LocalAlternate number=\"ALT-" + n + "\"/><RefDes designator=\"R" + n +
                "\"/><RefDes designator=\"C" + n + "\"/></BomLine>";
      }
    }
  }
  return sXml + "</Root_Element>\n";
}

}  // namespace kvo::bench
