#pragma once
// What Undo goes back to: the adapter's whole configuration before the last change, with what
// the change left there, so that a later change by someone else is told rather than overwritten.
// Kept per user (HKCU\Software\Velmora, "Undo"), so it outlasts the program and the logon.
#include <optional>
#include <string>

#include "adapters/adapterstate.h"

struct UndoRecord {
    std::string settingId;    // the adapter, by the SettingID that stays across restarts
    std::string adapterName;  // its Description, for the user
    AdapterConfiguration backTo;
    AdapterConfiguration expected;  // what the change left on the adapter

    bool operator==(const UndoRecord&) const = default;
};

// The record kept; none when there is none or it cannot be read whole.
std::optional<UndoRecord> ReadUndoRecord();
// A record that cannot be kept is not kept: Undo then offers nothing after the next start.
void WriteUndoRecord(const UndoRecord& record);
void ForgetUndoRecord();

// The record as one line of words, and back (strictly).
std::string UndoRecordText(const UndoRecord& record);
std::optional<UndoRecord> UndoRecordFromText(const std::string& text);
