#include "config/modResources.h"

#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/Handled.h"
#include "config/Log.h"
#include "config/ResourceKeys.h"
#include "config/RunState.h"

namespace kvo {

void InitResources() {
  Handled("modResources", "InitResources", [] {
    RunState& run = Run();
    if (!run.oIniData) throw RunError(kErrObjectNotSet, "Object variable not set");
    if (!run.oIniData->SetCurNode(res::kMessagesSection)) {
      LogError("Resources was not initialized", "", -1, false);
      return;
    }
    for (const res::ResourceKey& tKey : res::kResourceKeys) {
      run.*tKey.pValue = run.oIniData->GetLabelUseCurNode(tKey.sQuery);
    }
  });
}

}  // namespace kvo
