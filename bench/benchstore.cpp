// The profile store at 10 to 10,000 profiles, beside plain file calls on the same bytes.
#include <windows.h>

#include <memory>
#include <string>

#include "benchtiming.h"
#include "core/handles.h"
#include "profiles/iprofile.h"

namespace {
void Fill(TListItems& list, int count)
{
    list.Clear();
    for (int i = 0; i < count; ++i) {
        auto profile = std::make_unique<Tprofile>(list);
        profile->id = i;
        profile->ip = "10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1);
        profile->mask = "255.255.0.0";
        profile->gw = "10.0.0.1";
        profile->dns1 = "10.0.0.2";
        profile->dns2 = i % 2 ? "" : "10.0.0.3";
        profile->name = "Profile " + std::to_string(i);
        profile->dhcp = i % 5 == 0;
        profile->SetCaption(profile->name);
        list.Append(std::move(profile));
    }
}

std::string ReadPlain(const std::string& path)
{
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    return bytes;
}

void WritePlain(const std::string& path, const std::string& bytes, bool flush)
{
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (flush) FlushFileBuffers(file.get());
}
}  // namespace

void BenchStore(const std::string& folder)
{
    PrintHeading("Profile store (median of runs; reference: the same bytes with plain file calls)");
    const std::string store = folder + "profiles.ini";
    const std::string plain = folder + "plain.ini";
    for (int count : {10, 100, 1000, 10000}) {
        const int runs = count >= 10000 ? 5 : 9;
        TListItems list;
        Fill(list, count);
        const double save = MedianMs(runs, nullptr, [&] { SaveProfilesTo(list, store); });
        const std::string bytes = ReadPlain(store);
        const double plainWrite = MedianMs(runs, nullptr, [&] { WritePlain(plain, bytes, false); });
        const double plainFlushed = MedianMs(runs, nullptr, [&] { WritePlain(plain, bytes, true); });
        TListItems loaded;
        const double load = MedianMs(
            runs, [&] { loaded.Clear(); }, [&] { LoadProfilesFrom(loaded, store); });
        const double plainRead = MedianMs(runs, nullptr, [&] { ReadPlain(plain); });
        const std::string n = std::to_string(count);
        PrintRow("SaveProfiles, " + n + " profiles (vs plain write)", save, plainWrite);
        PrintRow("SaveProfiles, " + n + " profiles (vs plain write + flush)", save, plainFlushed);
        PrintRow("LoadProfiles, " + n + " profiles (vs plain read)", load, plainRead);
    }
    DeleteFileA(store.c_str());
    DeleteFileA(plain.c_str());
}
