#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/sim/DeviceState.h"
#include "tools/sim/SimOptions.h"

namespace navoro {
struct Codec;
}

namespace navoro::sim {

// The transponder's live output, one second at a time: its GNSS receiver's
// sentences for a moving own ship with satellites whose elevation, azimuth and
// signal strength drift slowly, its own position reports (!AIVDO) and the AIS
// messages it receives from other stations (!AIVDM) on channels A and B.
//
// The receiver is a GPS receiver (classic), a GPS, GLONASS, Galileo and
// BeiDou receiver in NMEA 4.11 form (modern) or an NMEA 2.x GPS receiver
// (legacy). The other stations are five fixed ones (with modern and legacy
// also an aid to navigation and a long-range broadcast), or a fleet of
// `targets` stations around the own ship.
class TrafficModel {
  public:
    struct Motion {
        double Lat;       // degrees, north positive
        double Lon;       // degrees, east positive
        double SogKnots;  // speed over ground
        double Cog;       // course over ground, degrees
    };

    struct Satellite {
        int Prn;
        int Elevation;   // degrees, 5-85
        int Azimuth;     // degrees, 0-359
        int Snr;         // dB-Hz, 20-50; 0: not tracked (sent blank)
        bool Used;       // used in the fix
        int System = 1;  // 1 GPS, 2 GLONASS, 3 Galileo, 4 BeiDou
    };

    // `codec` composes the sentences it has composers for (RMC, GSA, GBS,
    // HDT) from its GNSS and navigation stores; it must outlive the model.
    // `targets` below 0: the five fixed stations; else a fleet of that many
    // (at most kMaxTargets).
    TrafficModel(Codec& codec, std::uint32_t seed, GnssForm form = GnssForm::kClassic,
                 int targets = -1);

    // Advances the model to `utc` (seconds since 1970) and returns the lines of
    // that second, each with its checksum and CR LF: RMC, GGA, GLL, GSA, GSV,
    // VTG, ZDA, GBS and HDT, then the own ship's VDO report (while its
    // transmitter is on), then the VDM messages of the other stations due in
    // this second.
    std::vector<std::string> Second(std::int64_t utc, const DeviceState& state);

    // The seconds between two of the own ship's static and voyage data
    // reports (message 5): 30 by default, 360 as a standard unit sends them.
    void SetOwnStaticPeriod(int seconds) { ownStaticPeriod_ = seconds > 0 ? seconds : 30; }
    // Sends the own static and voyage data with the next second's report, as
    // a unit does after a change of its static or voyage data.
    void SendOwnStaticNow() { ownStaticNow_ = true; }

    const Motion& OwnShip() const { return own_; }
    const std::vector<Satellite>& Satellites() const { return satellites_; }
    // The stations' reports left out so far because the port's rate could
    // not carry them.
    std::size_t DroppedReports() const { return dropped_; }
    // The seconds between two position reports of the fleet's Class A
    // vessels under way: 10, or more when the port's rate is short.
    int ClassAPeriod() const { return classAPeriod_; }

    // The share of the configuration port's rate the stream may fill.
    static constexpr double kRateShare = 0.8;

  private:
    // Another station.
    struct Station {
        enum Kind { kClassA, kClassB, kBase, kAidToNavigation, kSarAircraft, kLongRange } Type;
        std::uint32_t Mmsi;
        std::string Name;
        std::string CallSign;
        int ShipType;
        int MessageType;  // 1 or 3 for Class A
        int NavStatus;
        Motion Where;
        int Period;  // seconds between position reports
        int Phase;   // second within the period of its report
        Antenna Size;
        std::string Destination;
        int StaticPeriod = 30;  // seconds between static data reports
        int StaticPhase = 0;
        int AidType = 0;       // aid to navigation: its kind
        bool Virtual = false;  // aid to navigation: a virtual one
        int ExtraBits = 0;     // aid to navigation: zero bits after the name
        bool Roams = false;    // comes back into range when it leaves it
        int Encounter = -1;    // 0 or 1: meets the own ship again and again
        double TurnRate = 0;   // degrees per second
    };

    struct Orbit {
        int Prn;
        int System;
        double MidElevation;
        double Swing;      // elevation swing, degrees
        double Period;     // seconds of one elevation swing
        double Azimuth0;   // degrees
        double DriftRate;  // degrees per second
    };

    void Advance(double seconds);
    void UpdateSatellites(double elapsed);
    void AddGnss(std::vector<std::string>& out, std::int64_t utc);
    void AddModernGnss(std::vector<std::string>& out, std::int64_t utc);
    void AddLegacyGnss(std::vector<std::string>& out, std::int64_t utc);
    void AddExtraStations();
    void MakeFleet(int count);
    void PlanRate(int rate, std::size_t streamBytes);
    void ArmEncounter(Station& s);
    void Roam(Station& s);
    Motion OwnAfter(double seconds) const;
    void AddStation(std::vector<std::string>& out, const Station& s, std::int64_t utc);
    std::string Compose(const char* formatter, const char* talker);
    void AddOwnReports(std::vector<std::string>& out, std::int64_t utc, const DeviceState& state);
    void AddStations(std::vector<std::string>& out, std::int64_t utc, int rate,
                     std::size_t streamBytes);
    char NextChannel();
    int NextSequence();

    Codec& codec_;
    std::mt19937 random_;
    std::mt19937 fleetRandom_;
    GnssForm form_;
    bool fleet_ = false;
    bool ratePlanned_ = false;
    std::vector<Orbit> orbits_;
    double nextEncounter_[2] = {0, 0};
    std::size_t dropped_ = 0;
    std::size_t first_ = 0;  // the station the next second starts with
    int classAPeriod_ = 10;
    std::int64_t start_ = -1;
    std::int64_t last_ = -1;
    double elapsed_ = 0;
    Motion own_;
    double heading_ = 0;
    std::vector<Satellite> satellites_;
    std::vector<double> snrOffset_;
    std::vector<Station> stations_;
    int channel_ = 0;
    int sequence_ = 0;
    int ownStaticPeriod_ = 30;
    bool ownStaticNow_ = false;
};

}  // namespace navoro::sim
