#include "config/ReadQueries.h"

#include <cstdio>
#include <cstring>

namespace navoro {

void SendQueries(unsigned set, const SendSentenceText& send) {
    if (!send) return;
    if (set & kQueryStatus) send("$PTST,,,,,00017");
    if (set & kQuerySsd) send("$AIAIQ,SSD");
    if (set & kQueryVsd) send("$AIAIQ,VSD");
    if (set & kQueryCpa) send("$AIAIQ,CPA");
    if (set & kQueryTsv) send("$AIAIQ,TSV");
    if (set & kQueryPortRates) {
        for (int port = -1; port <= 9; ++port) {
            char text[32];
            std::snprintf(text, sizeof text, "$PLMO,Q,BAU,%d,", port);
            send(text);
        }
    }
    if (set & kQueryClr) send("$AIAIQ,CLR");
    if (set & kQueryDes) send("$AIAIQ,DES");
    if (set & kQueryMbl) send("$AIAIQ,MBL");
}

}  // namespace navoro
