// The reference-designator grouping component of the machine: the automation class registered
// as "drngrp.IclsGroup", whose Group takes the designators of one structure line (an array of
// strings, by reference) and returns the array of strings the part list joins with commas.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <kvoexportexcel/IRefDesGrouper.h>

#include <string>
#include <vector>

namespace kvo::com {

// One created grouping component, called through IDispatch.
class MachineGrouper final : public IRefDesGrouper {
 public:
  // Takes over the caller's reference to pComponent.
  explicit MachineGrouper(IDispatch* pComponent) : pComponent_(pComponent) {}
  ~MachineGrouper() override;
  MachineGrouper(const MachineGrouper&) = delete;
  MachineGrouper& operator=(const MachineGrouper&) = delete;

  // The component's Group of vDesignators, which also takes back the array the component may
  // have changed. A result that is no array gives no strings. Raises RunError with the
  // component's error number and description when Group fails, 438 when it has no Group.
  std::vector<std::string> Group(std::vector<std::string>& vDesignators) override;

 private:
  IDispatch* pComponent_;
};

// For its lifetime, exports on this thread group designators through the machine's component
// when the ProgID "drngrp.IclsGroup" is registered (and COM is initialised on the thread); when
// that class then cannot be created, each structure line logs the failure and keeps its
// designators empty. Without the registration the built-in grouper stays. Restores the factory
// it replaced. Never throws.
class MachineGrouperScope {
 public:
  MachineGrouperScope() noexcept;
  ~MachineGrouperScope();
  MachineGrouperScope(const MachineGrouperScope&) = delete;
  MachineGrouperScope& operator=(const MachineGrouperScope&) = delete;

 private:
  RefDesGrouperFactory fnPrevious_;
  bool bInstalled_ = false;
};

}  // namespace kvo::com
