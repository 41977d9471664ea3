#pragma once

#include <cstdint>

#include "codec/Fields.h"

namespace navoro {

// Field layouts of the GNSS and navigation sentences (groups 1 and 2) and of
// the GNSS sentences that are checked but filed nowhere (group 0). Each is an
// overlay of the field area of SentenceRecord. Latitude and longitude are
// degrees, north and east positive; 91 and 181 (with the hemisphere's sign)
// when not available.

// $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
struct GgaRecord {
    TimeOfDay Time;
    float Lat;
    float Lon;
    std::int8_t Quality;         // blank 0x80
    std::int8_t SatellitesUsed;  // 0-99; blank 0x80; outside 0-99 stored as 0
    float Hdop;                  // blank -100000; below 0 or above 99.9 stored as 99.9
    float Altitude;              // blank -100000
    char AltitudeUnit;
    float GeoidSeparation;  // blank -100000
    char GeoidUnit;
    float DgpsAge;             // blank -100000
    std::int16_t DgpsStation;  // blank -1; outside 0-1023 stored as 1023
};

// $GPGLL,4916.45,N,12311.12,W,225444,A,A*hh
// 7 fields, or 6 without the mode indicator (older receivers).
struct GllRecord {
    float Lat;
    float Lon;
    TimeOfDay Time;
    char Status;         // A valid, V not
    char ModeIndicator;  // NUL in the 6-field form (not available)
};

// $GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972*hh
// 8 fields, or 10 with the system and signal ID.
struct GbsRecord {
    TimeOfDay Time;
    float ErrLat;  // expected errors, m; blank -100000
    float ErrLon;
    float ErrAlt;
    std::uint8_t FailedSatellite;  // blank 255
    float Probability;             // blank -100000
    float Bias;
    float BiasStdDev;
    std::int8_t SystemId;  // 1-15; blank (or the 8-field form) 0x80
    std::int8_t SignalId;  // 0-15; blank (or the 8-field form) 0x80
};

// $GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38*hh
// 12 to 32 satellite fields, optionally followed by the system ID.
inline constexpr int kGsaMaxSatellites = 32;
struct GsaRecord {
    char SelectionMode;                            // M manual, A automatic
    std::uint8_t FixMode;                          // 1 no fix, 2 2D, 3 3D
    std::uint8_t SatelliteFields;                  // 12-32, from the field count
    std::int16_t SatelliteIds[kGsaMaxSatellites];  // blank (and past the fields) 0x80
    float Pdop;                                    // blank -100000
    float Hdop;
    float Vdop;
    std::int8_t SystemId;  // 1-15; blank (or absent) 0x80
};

// $GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30*hh
// No to four satellite blocks, optionally followed by the signal ID; the
// entries past BlockCount keep their blank values.
struct GsvRecord {
    std::int8_t TotalMessages;      // 0-9
    std::int8_t MessageNumber;      // 0-9
    std::uint8_t SatellitesInView;  //
    std::uint8_t BlockCount;        // 0-4, from the field count
    std::int16_t SatId[4];          // blank (or beyond -999..999) 0x80
    std::int8_t Elevation[4];       // 0-90; blank 0x80
    std::int16_t Azimuth[4];        // 0-359; blank -1
    std::int8_t Snr[4];             // 0-99; blank 0x80
    std::int8_t SignalId;           // 0-15; blank (or absent) 0x80
};

// $GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A*hh
// 11, 12 (mode indicator) or 13 fields (and navigational status).
struct RmcRecord {
    TimeOfDay Time;
    char Status;  // A valid, V warning
    float Lat;
    float Lon;
    float Sog;  // knots; blank -100000
    float Cog;  // degrees true; blank -100000
    DateOfYear Date;
    float MagVar;        // blank -100000
    char MagVarDir;      // blank 0x80
    char ModeIndicator;  // 'A' in the 11-field form
    char NavStatus;      // 13-field form only, else 0
};

// $GPVTG,31.66,T,,M,0.02,N,0.04,K,A*hh
// A unit is exactly one character; a blank unit is stored as 0x80. 9 fields,
// or 8 without the mode indicator (older receivers: NUL, not available).
struct VtgRecord {
    float CogTrue;  // blank -100000 (each real)
    char CogTrueUnit;
    float CogMagnetic;
    char CogMagneticUnit;
    float SogKnots;
    char SogKnotsUnit;
    float SogKmh;
    char SogKmhUnit;
    char ModeIndicator;
};

// $GPZDA,201530.00,04,07,2002,00,00*60
// The record keeps the date as year, month, day.
struct ZdaRecord {
    TimeOfDay Time;
    std::int16_t Year;        // blank -1
    std::int8_t Month;        // 1-12; blank 0x80
    std::int8_t Day;          // 1-31; blank 0x80
    std::int8_t ZoneHours;    // -13..13; blank 0x80
    std::int8_t ZoneMinutes;  // 0-59; blank 0x80
};

// $HEHDT,274.07,T*hh
struct HdtRecord {
    float Heading;  // blank 511
    char Reference;
};

// $HEROT,-0.3,A*hh
struct RotRecord {
    float Rate;  // degrees per minute; blank -100000
    char Status;
};

// $VWVBW,12.3,0.07,A,11.78,0.12,A*hh   (a blank number reads as 0)
struct VbwRecord {
    float WaterSpeedLong;
    float WaterSpeedTrans;
    char WaterStatus;
    float GroundSpeedLong;
    float GroundSpeedTrans;
    char GroundStatus;
};

// $GNGNS,092750.00,5321.6802,N,00630.3372,W,AN,08,1.03,61.7,55.2,,*hh
// 12 fields, or 13 with the navigational status of newer receivers.
struct GnsRecord {
    TimeOfDay Time;
    float Lat;
    float Lon;
    char ModeChars[2];       // the first two characters of the mode field
    char SatelliteChars[2];  // the first two characters of the satellites field
    float Hdop;              // blank -100000; below 0 or above 99.9 rejects
    float Altitude;          // blank -100000 (each real)
    float GeoidSeparation;
    float DgpsAge;
    float DgpsStation;
    char NavStatus;  // S safe, C caution, U unsafe, V not valid; NUL in the 12-field form
};

// Group 0: checked, filed nowhere.

// $GPGRS,220320.0,0,-0.8,-0.2,-0.1,-0.2,0.8,0.6,,,,,,*hh
struct GrsRecord {
    TimeOfDay Time;
    char ModeChar;
    float Residuals[12];  // blank -100000
};

// $GPGST,172814.0,0.006,0.023,0.020,273.6,0.023,0.020,0.031*hh
struct GstRecord {
    TimeOfDay Time;
    float Rms;  // blank -100000 (each)
    float MajorAxis;
    float MinorAxis;
    float Orientation;
    float LatError;
    float LonError;
    float AltError;
};

// $GPDTM,W84,,0.0,N,0.0,E,0.0,W84*hh
struct DtmRecord {
    char Datum[4];  // cut to 3 characters
    char Subdivision;
    LatLon Offset;  // converted like a position
    float AltitudeOffset;
    char ReferenceDatum[4];  // cut to 3 characters
};

// $GPRMA,A,4916.45,N,12311.12,W,...   (at least five fields; the rest unread)
struct RmaRecord {
    char Status;
    float Lat;
    float Lon;
};

// $GPWPL,4917.16,N,12310.64,W,003*hh
struct WplRecord {
    float Lat;
    float Lon;
    char WaypointId[64];  // cut to 63 characters
};

// $RAOSD,35.1,A,36.0,P,10.2,P,15.3,0.1,N*hh   (a blank number reads as 0)
struct OsdRecord {
    float Heading;
    char HeadingStatus;
    float Course;
    char CourseReference;
    float Speed;
    char SpeedReference;
    float Set;
    float Drift;
    char SpeedUnits;
};

}  // namespace navoro
