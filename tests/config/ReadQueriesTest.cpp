// The queries of a configuration read, in the order they are sent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ReadQueries.h"
#include "config/tabs/TabRegistry.h"

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

const TabInfo* FindTabRead(const char* page) {
    const std::size_t tab = FindTabByPage(page);
    return tab < kTabCount ? &kTabInfos[tab] : nullptr;
}

TEST(ReadQueries, EachTabSendsItsSet) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Sent(FindTabRead("TabSheetStatic")->Queries), V({"$PTST,,,,,00017", "$AIAIQ,SSD"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetVoyage")->Queries), V({"$AIAIQ,VSD"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetCPA")->Queries), V({"$AIAIQ,CPA"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetTransceiver")->Queries), V({"$AIAIQ,TSV"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetBaudRate")->Queries), kPortRateQueries);
    EXPECT_EQ(Sent(FindTabRead("TabSheetLR")->Queries), V({"$AIAIQ,CLR"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetDestination")->Queries), V({"$AIAIQ,DES"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetMOB")->Queries), V({"$AIAIQ,MBL"}));
    EXPECT_EQ(Sent(FindTabRead("TabSheetEncryption")->Queries), V());
    EXPECT_EQ(FindTabRead("TabSheetMOB")->ReadSteps, 50);
    EXPECT_EQ(FindTabRead("TabSheetEncryption")->ReadSteps, 10);
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
