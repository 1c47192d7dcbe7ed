#include "core/prices/AdjPriceEngine.h"

#include <algorithm>
#include <cmath>

namespace orv::prices {

namespace {

// The next Monday-to-Friday day after d.
Day nextWeekday(Day d)
{
    ++d;
    while (isWeekend(d))
        ++d;
    return d;
}

// Index of the first record dated on or after day.
size_t lowerBound(const History& h, Day day)
{
    return size_t(std::lower_bound(h.begin(), h.end(), day, [](const PricePoint& p, Day d) { return p.date < d; }) -
                  h.begin());
}

// Valid distributions, newest ex-date first (equal ex-dates keep their order).
std::vector<Dsb> newestFirst(const std::vector<Dsb>& dsbs)
{
    std::vector<Dsb> out;
    out.reserve(dsbs.size());
    for (const Dsb& d : dsbs)
        if (hasValidFactor(d))
            out.push_back(d);
    std::stable_sort(out.begin(), out.end(), [](const Dsb& a, const Dsb& b) { return a.exDate > b.exDate; });
    return out;
}

}  // namespace

bool isMoneyMarket(const QString& type) { return type.trimmed() == QLatin1String("Money Market Fund"); }

bool hasValidFactor(const Dsb& d)
{
    const double r = d.reinvestPri;
    const double sum = d.reinvestPri + d.total;
    return std::isfinite(r) && std::isfinite(sum) && r > 0.0 && sum > 0.0;
}

PriceDateRange GetPriceDateRange(const History& h)
{
    if (h.empty())
        return {};
    return {true, h.front().date, h.back().date};
}

LatestExDate GetLatestExDate(const std::vector<Dsb>& dsbs)
{
    LatestExDate r;
    for (const Dsb& d : dsbs) {
        if (!r.hasDsbs || d.exDate > r.exDate)
            r.exDate = d.exDate;
        r.hasDsbs = true;
    }
    return r;
}

void TrimNullPriceEnds(History& h)
{
    size_t b = 0;
    while (b < h.size() && !h[b].price)
        ++b;
    size_t e = h.size();
    while (e > b && !h[e - 1].price)
        --e;
    h.erase(h.begin() + ptrdiff_t(e), h.end());
    h.erase(h.begin(), h.begin() + ptrdiff_t(b));
}

void ResetAdjPrices(History& h)
{
    double carried = 0.0;
    for (PricePoint& p : h) {
        if (p.price)
            carried = *p.price;
        p.adjPrice = carried;
    }
}

void FillHoles(History& h, Day first, Day last, bool moneyMarket)
{
    if (first > last)
        return;
    const size_t n = h.size();
    History out;
    // Holes are at most the weekdays of the stretch.
    out.reserve(n + size_t(std::max(0, (last - first + 1) * 5 / 7 + 2)));

    // Records before the stretch are copied; they give the carried price.
    double carried = 0.0;
    size_t i = 0;
    for (; i < n && h[i].date < first; ++i) {
        if (h[i].price)
            carried = *h[i].price;
        out.push_back(h[i]);
    }

    Day d = isWeekend(first) ? nextWeekday(first) : first;  // next weekday not yet known to have a record
    for (;;) {
        const bool haveRec = i < n && h[i].date <= last;
        const bool haveDay = d <= last;
        if (!haveRec && !haveDay)
            break;
        if (haveRec && (!haveDay || h[i].date <= d)) {
            PricePoint p = h[i++];
            if (p.date == d)
                d = nextWeekday(d);
            if (p.price)
                carried = *p.price;
            p.adjPrice = carried;
            out.push_back(p);
        } else {
            PricePoint p;
            p.date = d;
            if (moneyMarket) {
                p.price = 1.0;
                carried = 1.0;
            }
            p.adjPrice = carried;
            out.push_back(p);
            d = nextWeekday(d);
        }
    }
    for (; i < n; ++i)
        out.push_back(h[i]);
    h.swap(out);
}

void FillHolesAndResetAdjPrices(History& h, bool moneyMarket)
{
    if (h.empty())
        return;
    FillHoles(h, h.front().date, h.back().date, moneyMarket);
}

void AdjustForDsbs(History& h, const std::vector<Dsb>& dsbs)
{
    const std::vector<Dsb> ds = newestFirst(dsbs);
    if (ds.empty())
        return;
    double f = 1.0;
    bool any = false;
    size_t k = 0;
    // Walk the records newest first; each ex-date passed folds its factor in.
    for (size_t i = h.size(); i-- > 0;) {
        while (k < ds.size() && h[i].date < ds[k].exDate) {
            f = f * ds[k].reinvestPri / (ds[k].reinvestPri + ds[k].total);
            any = true;
            ++k;
        }
        if (any)
            h[i].adjPrice = h[i].adjPrice * f;
    }
}

void RebuildHistory(History& h, const std::vector<Dsb>& dsbs, bool moneyMarket)
{
    FillHolesAndResetAdjPrices(h, moneyMarket);
    AdjustForDsbs(h, dsbs);
}

UpdatePlan PlanPriceUpdate(const PriceDateRange& before, const LatestExDate& latest, Day minDay, Day maxDay)
{
    UpdatePlan p;
    if (!before.hasPrices) {
        p.from = minDay;
        p.to = maxDay;
    } else {
        // From the old last record when the new days lie after it (the gap needs its
        // carried price); up to the old first record when they lie before it.
        p.from = std::min(minDay, before.last);
        p.to = std::max(maxDay, before.first);
    }
    p.kind = (latest.hasDsbs && latest.exDate > p.from) ? UpdatePlan::Kind::FullRebuild
                                                         : UpdatePlan::Kind::FillStretch;
    return p;
}

void FillStretch(History& h, Day from, Day to, bool moneyMarket)
{
    FillHoles(h, from, to, moneyMarket);
    // Filled holes after the stretch carry a price that may have changed.
    size_t i = lowerBound(h, to + 1);
    if (i >= h.size() || h[i].price)
        return;
    double carried = 0.0;
    for (size_t j = i; j-- > 0;) {
        if (h[j].price) {
            carried = *h[j].price;
            break;
        }
    }
    for (; i < h.size() && !h[i].price; ++i)
        h[i].adjPrice = carried;
}

void ApplyPlan(History& h, const UpdatePlan& plan, const std::vector<Dsb>& dsbs, bool moneyMarket)
{
    if (plan.kind == UpdatePlan::Kind::FillStretch)
        FillStretch(h, plan.from, plan.to, moneyMarket);
    else
        RebuildHistory(h, dsbs, moneyMarket);
}

}  // namespace orv::prices
