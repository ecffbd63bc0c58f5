// The workbooks of an application.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "workbook/excel/Workbook.h"

namespace kvo::excel {

class Application;

class Workbooks {
 public:
  // A new workbook with the one worksheet "Sheet1".
  Workbook& Add();
  std::size_t Count() const { return books_.size(); }

 private:
  friend class Application;
  void CloseAll();

  std::vector<std::unique_ptr<Workbook>> books_;
};

}  // namespace kvo::excel
