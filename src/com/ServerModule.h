// The DLL as an automation server: its own file, and the objects and locks that keep it loaded.
#pragma once

#include <windows.h>

#include <string>

namespace kvo::com {

// The module handle of this DLL (not of the host's program).
HMODULE ThisModule() noexcept;

// The full path of this DLL; empty when the system cannot tell it. Raises std::bad_alloc.
std::wstring ThisModulePath();

// Counted by every object of ours from construction to destruction, and by LockServer.
void AddServerReference() noexcept;
void ReleaseServerReference() noexcept;

// True when no object of ours is alive and no lock is held: the DLL may be unloaded.
bool ServerIsIdle() noexcept;

// Counts one server reference for as long as it exists.
class ServerReference {
 public:
  ServerReference() noexcept { AddServerReference(); }
  ~ServerReference() { ReleaseServerReference(); }
  ServerReference(const ServerReference&) noexcept { AddServerReference(); }
  ServerReference& operator=(const ServerReference&) noexcept { return *this; }
};

}  // namespace kvo::com
