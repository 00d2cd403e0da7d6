#include "app/adaptermemory.h"

#include "core/registry.h"

std::string RememberedAdapter() { return ReadUserString(AdapterMemoryKey, kAdapterMemoryValue); }

void RememberAdapter(const std::string& settingId)
{
    WriteUserString(AdapterMemoryKey, kAdapterMemoryValue, settingId);
}

void ForgetRememberedAdapter() { DeleteUserValue(AdapterMemoryKey, kAdapterMemoryValue); }
