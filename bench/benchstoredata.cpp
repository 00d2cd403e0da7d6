#include "benchstoredata.h"

#include <memory>

#include "profiles/iprofile.h"

void WriteBenchStore(const std::string& path, int count, bool located)
{
    TListItems list;
    for (int i = 0; i < count; ++i) {
        auto profile = std::make_unique<Tprofile>(list);
        profile->ip = "192.168." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1);
        profile->mask = "255.255.255.0";
        profile->gw = "192.168.7.1";
        profile->dns1 = "192.168.7.1";
        profile->name = "Site " + std::to_string(i);
        profile->dhcp = i % 3 == 2;
        if (located) profile->location.wifiName = profile->name;
        list.Append(std::move(profile));
    }
    SaveProfilesTo(list, path);
}
