// The workbooks of an application.
#include "workbook/excel/Workbooks.h"

namespace kvo::excel {

Workbook& Workbooks::Add() {
  books_.push_back(std::make_unique<Workbook>());
  return *books_.back();
}

void Workbooks::CloseAll() {
  for (auto& book : books_) {
    if (book->IsOpen()) book->Close();
  }
}

}  // namespace kvo::excel
