#include "config/LogSinkScope.h"

#include <utility>

namespace kvo {

LogSinkScope::LogSinkScope(LogLineSink fnSink)
    : fnPrevious_(std::exchange(Run().fnLogSink, std::move(fnSink))) {}

LogSinkScope::~LogSinkScope() {
  Run().fnLogSink = std::move(fnPrevious_);
}

}  // namespace kvo
