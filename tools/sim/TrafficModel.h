#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/sim/DeviceState.h"

namespace navoro {
struct Codec;
}

namespace navoro::sim {

// The transponder's live output, one second at a time: its GNSS receiver's
// sentences for a moving own ship with satellites whose elevation, azimuth and
// signal strength drift slowly, its own position reports (!AIVDO) and the AIS
// messages it receives from a few other stations (!AIVDM) on channels A and B.
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
        int Elevation;  // degrees, 5-85
        int Azimuth;    // degrees, 0-359
        int Snr;        // dB-Hz, 20-50
        bool Used;      // used in the fix
    };

    // `codec` composes the sentences it has composers for (RMC, GSA, GBS,
    // HDT) from its GNSS and navigation stores; it must outlive the model.
    TrafficModel(Codec& codec, std::uint32_t seed);

    // Advances the model to `utc` (seconds since 1970) and returns the lines of
    // that second, each with its checksum and CR LF: RMC, GGA, GLL, GSA, GSV,
    // VTG, ZDA, GBS and HDT, then the own ship's VDO report (while its
    // transmitter is on), then the VDM messages of the other stations due in
    // this second.
    std::vector<std::string> Second(std::int64_t utc, const DeviceState& state);

    const Motion& OwnShip() const { return own_; }
    const std::vector<Satellite>& Satellites() const { return satellites_; }

  private:
    // Another station: a Class A or Class B vessel or a base station.
    struct Station {
        enum Kind { kClassA, kClassB, kBase } Type;
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
    };

    void Advance(double seconds);
    void UpdateSatellites(double elapsed);
    void AddGnss(std::vector<std::string>& out, std::int64_t utc);
    std::string Compose(const char* formatter, const char* talker);
    void AddOwnReports(std::vector<std::string>& out, std::int64_t utc, const DeviceState& state);
    void AddStations(std::vector<std::string>& out, std::int64_t utc);
    char NextChannel();
    int NextSequence();

    Codec& codec_;
    std::mt19937 random_;
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
};

}  // namespace navoro::sim
