// The one form of an operation's handler: run the operation's body; when it raises, log the error
// as a failure of that operation and return the operation's failure value.  Handlers that do more
// than log and return are written by hand, with LogFailure for their log line.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

namespace kvo {

// The source name of a handler's log line: "kVoExportExcel:" + sOwner (a class or module) + "["
// + sOperation + "]".
std::string SourceName(std::string_view sOwner, std::string_view sOperation);

// Inside a catch block: makes the exception being handled the pending error and logs it under
// SourceName(sOwner, sOperation), after the configured run-error text or after sText.
void LogFailure(std::string_view sOwner, std::string_view sOperation);
void LogFailure(const std::string& sText, std::string_view sOwner, std::string_view sOperation);

// Returns what fnBody returns; when fnBody raises, logs the failure (LogFailure) and returns
// vFailure instead.  Only what the logging itself raises gets out.
template <class F, class R = std::invoke_result_t<F&>>
R Handled(std::string_view sOwner, std::string_view sOperation, std::type_identity_t<R> vFailure,
          F&& fnBody) {
  try {
    return fnBody();
  } catch (...) {
    LogFailure(sOwner, sOperation);
    return vFailure;
  }
}

// The same for an operation without a result.
template <class F>
void Handled(std::string_view sOwner, std::string_view sOperation, F&& fnBody) {
  try {
    fnBody();
  } catch (...) {
    LogFailure(sOwner, sOperation);
  }
}

// The same with sText in front of the error instead of the configured run-error text, for an
// operation that runs before the configuration's texts are read.
template <class F, class R = std::invoke_result_t<F&>>
R HandledWithText(const std::string& sText, std::string_view sOwner, std::string_view sOperation,
                  std::type_identity_t<R> vFailure, F&& fnBody) {
  try {
    return fnBody();
  } catch (...) {
    LogFailure(sText, sOwner, sOperation);
    return vFailure;
  }
}

}  // namespace kvo
