// Lends this thread's log sink to one run: the sink given is told every log line written while
// the scope lives, and the one installed before comes back when it ends.
#pragma once

#include "config/RunState.h"

namespace kvo {

class LogSinkScope {
 public:
  // Installs fnSink (an empty one: nobody is told).  Raises only what copying fnSink raises.
  explicit LogSinkScope(LogLineSink fnSink);
  ~LogSinkScope();
  LogSinkScope(const LogSinkScope&) = delete;
  LogSinkScope& operator=(const LogSinkScope&) = delete;

 private:
  LogLineSink fnPrevious_;
};

}  // namespace kvo
