#include "config/RunState.h"

#include <kvoexportexcel/clsXMLIniData.h>

namespace kvo {

namespace {
thread_local RunState tRunState;
}

RunState& Run() {
  return tRunState;
}

void ResetRunState() {
  tRunState = RunState{};
}

}  // namespace kvo
