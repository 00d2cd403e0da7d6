#pragma once
// The adapter the user chose in the selector, remembered per user by its WMI SettingID (which,
// unlike Index, stays the same across restarts), so that the next start chooses it again.
#include <string>

#include "core/registry.h"

inline constexpr const char* AdapterMemoryKey = kUserSettingsKey;
inline constexpr char kAdapterMemoryValue[] = "ChosenAdapterSettingID";

// The SettingID chosen last; empty when none is remembered.
std::string RememberedAdapter();
// A choice that cannot be kept is simply not remembered: the next start chooses as without one.
void RememberAdapter(const std::string& settingId);
void ForgetRememberedAdapter();
