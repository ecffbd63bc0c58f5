// What this build of the library is made of: its version and the libraries it works with.
#pragma once

namespace kvo {

// "0.1.0 (deflate: ISA-L 2.30.0; XML: pugixml 1.13)": the version, then each component with
// the library behind it and that library's version. Built on the first call and kept; the bare
// version only while memory runs out. Raises nothing.
const char* BuildInfo() noexcept;

}  // namespace kvo
