#include "app/adaptermemory.h"

#include "core/registry.h"

std::string RememberedAdapter() { return ReadUserString(AdapterMemoryKey, AdapterMemoryValue); }

void RememberAdapter(const std::string& settingId) { WriteUserString(AdapterMemoryKey, AdapterMemoryValue, settingId); }

void ForgetRememberedAdapter() { DeleteUserValue(AdapterMemoryKey, AdapterMemoryValue); }
