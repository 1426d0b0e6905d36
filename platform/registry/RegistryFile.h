// The registry store's file: read whole, and rewritten whole through a
// temporary file beside it and a rename. A store whose file does not exist
// yet is the seeded one.
#pragma once

#include "platform/registry/RegistryStore.h"

#include <string>

namespace RegistryStore {

// ERROR_SUCCESS, an error code from the system, or ERROR_BADDB for a file
// that cannot be read as a store.
DWORD LoadStore(Store& store);
// ERROR_SUCCESS or an error code from the system.
DWORD SaveStore(const Store& store);

}  // namespace RegistryStore
