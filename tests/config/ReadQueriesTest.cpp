// The queries of a configuration read, in the order they are sent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ReadQueries.h"

namespace navoro {
namespace {

std::vector<std::string> Sent(unsigned set) {
    std::vector<std::string> sent;
    SendQueries(set, [&sent](const char* text) {
        sent.emplace_back(text);
        return true;
    });
    return sent;
}

const std::vector<std::string> kPortRateQueries = {
    "$PLMO,Q,BAU,-1,", "$PLMO,Q,BAU,0,", "$PLMO,Q,BAU,1,", "$PLMO,Q,BAU,2,",
    "$PLMO,Q,BAU,3,",  "$PLMO,Q,BAU,4,", "$PLMO,Q,BAU,5,", "$PLMO,Q,BAU,6,",
    "$PLMO,Q,BAU,7,",  "$PLMO,Q,BAU,8,", "$PLMO,Q,BAU,9,",
};

TEST(ReadQueries, EachTabSendsItsSet) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Sent(FindTabRead("TabSheetStatic")->QuerySet), V({"$PTST,,,,,00017", "$AIAIQ,SSD"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetVoyage")->QuerySet), V({"$AIAIQ,VSD"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetCPA")->QuerySet), V({"$AIAIQ,CPA"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetTransceiver")->QuerySet), V({"$AIAIQ,TSV"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetBaudRate")->QuerySet), kPortRateQueries);
    EXPECT_EQ(Sent(FindTabRead("TabSheetLR")->QuerySet), V({"$AIAIQ,CLR"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetDestination")->QuerySet), V({"$AIAIQ,DES"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetMOB")->QuerySet), V({"$AIAIQ,MBL"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetEncryption")->QuerySet), V());
    EXPECT_EQ(FindTabRead("TabSheetMOB")->ProgressMax, 50);
    EXPECT_EQ(FindTabRead("TabSheetEncryption")->ProgressMax, 10);
    EXPECT_EQ(FindTabRead("TabSheetNone"), nullptr);
}

TEST(ReadQueries, ReadDeviceSendsAllButTheListsInBitOrder) {
    std::vector<std::string> expected = {"$PTST,,,,,00017", "$AIAIQ,SSD", "$AIAIQ,VSD",
                                         "$AIAIQ,CPA", "$AIAIQ,TSV"};
    expected.insert(expected.end(), kPortRateQueries.begin(), kPortRateQueries.end());
    expected.push_back("$AIAIQ,CLR");
    EXPECT_EQ(Sent(kReadDeviceQuerySet), expected);
    EXPECT_EQ(Sent(511).size(), expected.size() + 2);
}

TEST(ReadQueries, AFailedSendDoesNotStopTheOthers) {
    int calls = 0;
    SendQueries(kReadDeviceQuerySet, [&calls](const char*) {
        ++calls;
        return false;
    });
    EXPECT_EQ(calls, 17);
    SendQueries(kReadDeviceQuerySet, nullptr);  // nothing to send with: nothing happens
}

}  // namespace
}  // namespace navoro
