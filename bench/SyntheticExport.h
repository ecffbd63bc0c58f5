// Synthetic product structures in the element names of the bundled configuration, for
// measuring how parsing and building scale with the size of an export.
#pragma once

#include <string>

namespace kvo::bench {

// An item structure of lItems items: every item has up to four structure lines (quantity, find
// number, two designators, a local alternate), ten attributes, a manufacturer with a tied
// supplier, an item-level supplier and a document with two files.
std::string ItemStructure(int lItems);

}  // namespace kvo::bench
