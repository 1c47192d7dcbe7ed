#pragma once
// Shared by the adjusted-price tests: a fixed Monday to count days from, and
// random issue histories from a seeded generator.
#include "core/prices/AdjPriceEngine.h"

#include <QDate>
#include <QRandomGenerator>

namespace orvtest {

using orv::Day;
using orv::prices::Dsb;
using orv::prices::History;
using orv::prices::PricePoint;

// Monday 1 January 2024.
inline Day base() { return orv::dayFromDate(QDate(2024, 1, 1)); }

// One random issue: holes, null records, weekend records, distributions (cash,
// splits, reverse splits, an invalid one, shared ex-dates, ex-dates on weekends
// and outside the prices).
struct Generated {
    History h;
    std::vector<Dsb> dsbs;
    bool mm = false;
};

inline Generated generate(QRandomGenerator& rng)
{
    Generated g;
    g.mm = rng.bounded(5) == 0;
    const Day start = base() + int(rng.bounded(7));
    const int days = 5 + int(rng.bounded(120));
    double price = 5.0 + rng.generateDouble() * 50.0;
    for (Day d = start; d < start + days; ++d) {
        const bool weekend = orv::isWeekend(d);
        const int roll = int(rng.bounded(100));
        if (weekend ? roll >= 4 : roll < 12)
            continue;  // a hole (or the usual empty weekend)
        PricePoint p;
        p.date = d;
        price *= 0.97 + rng.generateDouble() * 0.06;
        if (weekend || roll >= 18)
            p.price = g.mm ? 1.0 + rng.bounded(3) * 0.01 : price;  // else an already filled hole
        p.adjPrice = rng.generateDouble() * 100.0;                   // whatever was stored before
        g.h.push_back(p);
    }
    const int n = int(rng.bounded(7));
    for (int k = 0; k < n; ++k) {
        Dsb d;
        d.exDate = start - 5 + int(rng.bounded(days + 10));
        if (k > 0 && rng.bounded(6) == 0)
            d.exDate = g.dsbs.back().exDate;  // two distributions on one ex-date
        d.reinvestPri = 1.0 + rng.generateDouble() * 40.0;
        switch (rng.bounded(6)) {
        case 0: d.total = (2.0 - 1.0) * d.reinvestPri; break;  // 2-for-1 split
        case 1: d.total = (0.5 - 1.0) * d.reinvestPri; break;  // 1-for-2 reverse split
        case 2:
            if (rng.bounded(3) == 0) {
                d.reinvestPri = 0.0;  // no reinvestment price known
                d.total = 0.5;
                break;
            }
            [[fallthrough]];
        default: d.total = rng.generateDouble() * 2.0; break;
        }
        g.dsbs.push_back(d);
    }
    return g;
}

}  // namespace orvtest
