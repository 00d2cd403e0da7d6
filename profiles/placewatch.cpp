#include "profiles/placewatch.h"

#include <utility>

#include "core/dispatch.h"
#include "profiles/location.h"

PlaceWatch::PlaceWatch(ConnectServicesFunction connect, DWORD settleTime)
    : m_connect(std::move(connect)), m_settleTime(settleTime)
{
}

// The notifications stop before the work they would post to goes.
PlaceWatch::~PlaceWatch() { m_listening.reset(); }

void PlaceWatch::Start()
{
    m_started = true;
    Read();
}

void PlaceWatch::Changed()
{
    // Every notification starts the settling time again: the place is read once they stop.
    m_work.After(m_settleTime, [this] { Read(); });
}

void PlaceWatch::ReadNow(std::function<void(const Reading& reading)> then)
{
    m_asked.push_back(std::move(then));
    Read();
}

void PlaceWatch::AdapterChosen()
{
    m_actedOn.reset();
    Changed();
}

void PlaceWatch::Read()
{
    if (!m_started) return;
    if (m_reading) {
        m_readAgain = true;
        return;
    }
    const int32_t index = adapterIndex ? adapterIndex() : -1;
    if (index < 0) {
        // No adapter is chosen: it is nowhere.
        for (const auto& then : std::exchange(m_asked, {}))
            then(Reading{});
        return;
    }
    if (m_asked.empty() && wanted && !wanted()) return;
    // Windows is listened to from the first reading on, so a program whose profiles say nowhere
    // loads neither the WLAN API nor IP Helper. Windows calls from threads of its own: each call
    // only asks the message loop to look.
    if (!m_listening) m_listening = CurrentPlaceReaders().listen(m_work.FromAnyThread([this] { Changed(); }));
    m_reading = true;
    auto reading = std::make_shared<Reading>();
    m_work.Background(
        [connect = m_connect, index, reading] {
            const Variant adapter = FindAdapterConfiguration(QueryAdapterConfigurations(connect(), false), index);
            reading->place = ReadNetworkPlace(adapter);
            if (adapter.HoldsObject()) reading->adapter = ReadAdapterConfiguration(adapter);
        },
        [this, reading, index](std::exception_ptr error) {
            m_reading = false;
            // Another adapter chosen while this one was read: its own reading comes next.
            const bool stale = adapterIndex && adapterIndex() != index;
            if (std::exchange(m_readAgain, false) || stale) Changed();
            if (stale) return;
            // A reading that failed (WMI busy, the adapter gone meanwhile) is no place: who asked
            // is told so, and the next notification reads again.
            const std::vector<std::function<void(const Reading&)>> asked = std::exchange(m_asked, {});
            for (const auto& then : asked)
                then(error ? Reading{} : *reading);
            if (error) return;
            // The user taught a profile this place here: that is no move to act on.
            if (!asked.empty() && !reading->place.Empty()) m_actedOn = reading->place;
            Settled(*reading);
        },
        // The read holds only what it was given: a program that ends does not wait for WMI.
        LoopWork::AtEnd::Leave);
}

void PlaceWatch::Settled(const Reading& reading)
{
    if (reading.place.wifiNameWithheld && !std::exchange(m_withheldTold, true) && nameWithheld) nameWithheld();
    if (reading.place.Empty()) {
        // Gone from every network, but not to another yet: coming back to the same one is no
        // move, so what was acted on is kept.
        if (left) left();
        return;
    }
    if (m_actedOn && SameNetwork(*m_actedOn, reading.place)) return;
    if (arrived && !arrived(reading)) {
        Changed();
        return;
    }
    m_actedOn = reading.place;
}
