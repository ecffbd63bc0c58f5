// The run-time error every layer of the component raises and every handler reports.
#pragma once

#include <kvoexportexcel/Api.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace kvo {

// Conventional error numbers of our own layers.
enum : std::int32_t {
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrTypeMismatch = 13,
  kErrObjectNotSet = 91,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrPathAccess = 75,
  kErrCannotCreateObject = 429,
  kErrXmlQuery = 1001,
  kErrSpreadsheet = 1004,
  kErrAppDataFolder = -2147220504,
};

// A failure with a signed 32-bit number and a description, as handlers log it.
class KVO_API RunError : public std::runtime_error {
 public:
  RunError(std::int32_t lNumber, std::string sDescription)
      : std::runtime_error(sDescription),
        lNumber_(lNumber),
        sDescription_(std::move(sDescription)) {}

  std::int32_t Number() const noexcept { return lNumber_; }
  const std::string& Description() const noexcept { return sDescription_; }

 private:
  std::int32_t lNumber_;
  std::string sDescription_;
};

}  // namespace kvo
