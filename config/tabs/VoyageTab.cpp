#include "config/tabs/VoyageTab.h"

#include <cmath>

#include "codec/SentenceRecord.h"
#include "config/ConfigTables.h"
#include "config/tabs/JsonSection.h"

namespace navoro {

namespace {

// Outside its range a VSD field goes out empty.
constexpr std::uint16_t kShipTypeEmpty = 0xFFFF;
constexpr float kDraughtEmpty = -1.0f;
constexpr std::uint16_t kPersonsEmpty = 0xFFFF;
constexpr std::uint8_t kDayEmpty = 0xFF, kMonthEmpty = 0xFF, kHourEmpty = 24;
constexpr std::uint8_t kNavStatusEmpty = 0xFF;
// The regional flags are not written (16 is outside 0-15).
constexpr std::uint8_t kRegionalFlagsUnused = 16;

std::optional<int> InRange(long value, WholeRange range) {
    if (!range.Holds(value)) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

FieldSet VoyageTab::TakeSentence(const SentenceRecord& sentence, Record& r) {
    if (!IsFormatter(sentence, "VSD")) return 0;
    const VsdRecord& vsd = sentence.Vsd;
    // A code the ship-type list lacks (0, "not available", among them) is not
    // available: nothing is selected and the device keeps its code.
    r.ShipType =
        FindShipTypeRow(vsd.ShipType) >= 0 ? std::optional<int>(vsd.ShipType) : std::nullopt;
    r.DraughtTenths.reset();
    if (std::isfinite(vsd.Draught) && vsd.Draught >= 0.0f && vsd.Draught <= kDraughtMetresMax) {
        const int tenths = static_cast<int>(std::lround(vsd.Draught * 10.0f));
        if (tenths > 0) r.DraughtTenths = tenths;  // 0 is "not available"
    }
    r.PersonsOnBoard = InRange(vsd.PersonsOnBoard, kPersons);
    r.Destination = RecordText(vsd.Destination);
    r.EtaMonth = InRange(vsd.EtaMonth, kMonth);
    r.EtaDay = InRange(vsd.EtaDay, kDay);
    r.EtaHour = InRange(vsd.EtaTime.Hour, kHour);
    r.EtaMinute = r.EtaHour ? InRange(vsd.EtaTime.Minute, kMinute) : std::nullopt;
    r.NavStatus = InRange(vsd.NavStatus, kNavStatus);
    return kVoyage;
}

RuleProblems VoyageTab::Check(const Record& r) {
    RuleProblems problems;
    if (r.ShipType && FindShipTypeRow(*r.ShipType) < 0)
        problems.push_back(Broken("voyage.shipType", "cbxShipType", MessageId::SelectShipType));
    if (r.DraughtTenths && !kDraughtTenths.Holds(*r.DraughtTenths))
        problems.push_back(Broken("voyage.draught", "edtDraught", MessageId::KeyInDraught));
    CheckRange(problems, r.PersonsOnBoard, kPersons, "voyage.personsOnBoard", "CSpinEditPOB");
    CheckDeviceText(problems, r.Destination, kDestinationMax, MessageId::DestinationRule,
                    "voyage.destination", "lblEdtDestination");
    CheckRange(problems, r.EtaMonth, kMonth, "voyage.eta.month", "CSpinEditMonth");
    CheckRange(problems, r.EtaDay, kDay, "voyage.eta.day", "CSpinEditDay");
    CheckRange(problems, r.EtaHour, kHour, "voyage.eta.hour", "CSpinEditHour");
    CheckRange(problems, r.EtaMinute, kMinute, "voyage.eta.minute", "CSpinEditMinute");
    CheckRange(problems, r.NavStatus, kNavStatus, "voyage.navStatus", "ComboBoxNavStatus");
    return problems;
}

WriteCheck VoyageTab::Plan(const Record& r, const WriteContext&) {
    RuleProblems problems = Check(r);
    if (!problems.empty()) return problems.front();
    SentenceRecord record{};
    VsdRecord& vsd = record.Vsd;
    vsd.ShipType = r.ShipType ? static_cast<std::uint16_t>(*r.ShipType) : kShipTypeEmpty;
    vsd.Draught = r.DraughtTenths ? static_cast<float>(*r.DraughtTenths) / 10.0f : kDraughtEmpty;
    vsd.PersonsOnBoard =
        r.PersonsOnBoard ? static_cast<std::uint16_t>(*r.PersonsOnBoard) : kPersonsEmpty;
    CopyText(vsd.Destination, r.Destination.c_str());
    // The time goes out only with both its hour and its minute.
    const bool time = r.EtaHour && r.EtaMinute;
    vsd.EtaTime = TimeOfDay{static_cast<std::uint8_t>(time ? *r.EtaHour : kHourEmpty),
                            static_cast<std::uint8_t>(time ? *r.EtaMinute : 0), 0, 0};
    vsd.EtaDay = r.EtaDay ? static_cast<std::uint8_t>(*r.EtaDay) : kDayEmpty;
    vsd.EtaMonth = r.EtaMonth ? static_cast<std::uint8_t>(*r.EtaMonth) : kMonthEmpty;
    vsd.NavStatus = r.NavStatus ? static_cast<std::uint8_t>(*r.NavStatus) : kNavStatusEmpty;
    vsd.RegionalFlags = kRegionalFlagsUnused;
    WritePlan plan;
    if (!plan.AddRecord(record, "VSD", "EC"))
        return Broken("voyage", "", MessageId::WriteUnsendable);
    return plan;
}

void VoyageTab::Write(const Record& r, Json& file) {
    Json& voyage = file[kInfo.Key];
    if (r.ShipType) voyage["shipType"] = *r.ShipType;
    if (r.DraughtTenths) voyage["draught"] = *r.DraughtTenths / 10.0;
    if (r.PersonsOnBoard) voyage["personsOnBoard"] = *r.PersonsOnBoard;
    voyage["destination"] = r.Destination;
    Json eta = Json::object();
    if (r.EtaMonth) eta["month"] = *r.EtaMonth;
    if (r.EtaDay) eta["day"] = *r.EtaDay;
    if (r.EtaHour) eta["hour"] = *r.EtaHour;
    if (r.EtaMinute) eta["minute"] = *r.EtaMinute;
    voyage["eta"] = eta;
    if (r.NavStatus) voyage["navStatus"] = *r.NavStatus;
}

VoyageTab::Record VoyageTab::Read(JsonIn& file) {
    JsonIn in = file.Object(kInfo.Key);
    // A value that says "not available" (-1 as earlier versions wrote it, and
    // AIS's own codes) reads as not available.
    const auto value = [](JsonIn& from, const char* key,
                          std::initializer_list<long long> notAvailable) -> std::optional<int> {
        const std::optional<long long> v = from.Whole(key, false);
        if (!v) return std::nullopt;
        for (const long long code : notAvailable)
            if (*v == code) return std::nullopt;
        return static_cast<int>(*v);
    };
    Record r;
    r.ShipType = value(in, "shipType", {-1, 0});
    r.DraughtTenths = in.Tenths("draught", false);
    r.PersonsOnBoard = value(in, "personsOnBoard", {-1});
    r.Destination = in.Text("destination", false).value_or("");
    JsonIn eta = in.Object("eta", false);
    r.EtaMonth = value(eta, "month", {-1, kMonthNotAvailable});
    r.EtaDay = value(eta, "day", {-1, kDayNotAvailable});
    r.EtaHour = value(eta, "hour", {-1, kHourNotAvailable});
    r.EtaMinute = value(eta, "minute", {-1, kMinuteNotAvailable});
    eta.Finish();
    r.NavStatus = value(in, "navStatus", {-1});
    in.Finish();
    return r;
}

}  // namespace navoro
