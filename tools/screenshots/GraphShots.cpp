#include "GraphShots.h"
#include "SaveShot.h"

#include <QApplication>
#include <QScrollBar>
#include <QTabBar>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/widgets/GraphDlg.h"
#include "doc/Clock.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"

namespace tallymo {
namespace {

// Fourteen months up to 15 March 2005 over the given outgo matters: each matter has its own
// level and drift, so the lines part and the advice has something to say.
void FillMonths(CTallymoDoc& doc, const std::vector<std::string>& outgo) {
    MatterList income{Matter(*Utf8ToCp932("給料"), kNewMatterCellWidth, true)};
    MatterList spending;
    for (const std::string& name : outgo) {
        spending.emplace_back(*Utf8ToCp932(name), kNewMatterCellWidth, true);
    }
    doc.SetMatterLists(std::move(income), std::move(spending));
    for (int back = 13; back >= 0; --back) {
        const int monthIndex = 2005 * 12 + 2 - back;  // March 2005 counted from year 0
        const int year = monthIndex / 12;
        const int month = monthIndex % 12 + 1;
        const int lastDay = back == 0 ? 15 : 28;
        doc.BookEntry(MakeLocalTime(year, month, 10), 0, 185000, MemoText(), false);
        for (std::size_t m = 0; m < outgo.size(); ++m) {
            const int level = 30000 / static_cast<int>(m + 2);
            const int drift = (static_cast<int>(m % 3) - 1) * 300;
            const int wobble = ((back * 7 + static_cast<int>(m) * 5) % 9 - 4) * 400;
            const int monthly = std::max(0, level + drift * (13 - back) + wobble);
            for (int day = 1; day <= lastDay; day += 3) {
                doc.BookEntry(MakeLocalTime(year, month, day), static_cast<MatterIndex>(m + 1),
                              monthly * 3 / 28, MemoText(), false);
            }
        }
    }
    doc.SetCurrentDate(MakeLocalTime(2005, 3, 15));
    doc.SetModifiedFlag(false);
}

}  // namespace

bool ShootGraphWindow(const QDir& out) {
    MemorySettingsStore store;
    FixedClock clock(MakeLocalTime(2005, 3, 15, 18, 0));
    CTallymoDoc doc(store, clock);
    FillMonths(doc, {"食費", "交通費", "交際費", "光熱費", "通信費", "住居費", "雑費"});

    bool ok = true;
    {
        CGraphDlg graph(doc);
        graph.show();
        ok = SaveShot(graph, out, QStringLiteral("graph-share")) && ok;
        graph.Tabs().setCurrentIndex(1);
        ok = SaveShot(graph, out, QStringLiteral("graph-trend")) && ok;
        graph.HorizontalBar().setValue(8);
        ok = SaveShot(graph, out, QStringLiteral("graph-trend-oldest")) && ok;
    }
    FillMonths(doc, {"食費", "交通費", "交際費", "光熱費", "通信費", "住居費", "雑費", "書籍",
                     "衣服", "趣味のための長い名前の事柄"});
    {
        CGraphDlg graph(doc);
        graph.show();
        graph.VerticalBar().setValue(3);
        ok = SaveShot(graph, out, QStringLiteral("graph-share-ten")) && ok;
        graph.Tabs().setCurrentIndex(1);
        ok = SaveShot(graph, out, QStringLiteral("graph-trend-ten")) && ok;
    }
    return ok;
}

}  // namespace tallymo
