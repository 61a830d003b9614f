#include "fe/geo/TileOrder.h"

#include <algorithm>

namespace fe::geo {

std::vector<int> CentreOutOrder(int a, int b)
{
    const long long lo = static_cast<long long>(std::min(a, b)) + 1;
    const long long hi = static_cast<long long>(std::max(a, b)) - 1;
    const long long n = hi - lo + 1;
    std::vector<int> order;
    if (n <= 0)
        return order;
    order.reserve(static_cast<std::size_t>(n));
    const long long mid = (lo + hi) / 2;  // C++ division truncates toward zero
    order.push_back(static_cast<int>(mid));
    if (n % 2 == 1) {
        for (long long step = 1; static_cast<long long>(order.size()) < n; ++step) {
            order.push_back(static_cast<int>(mid - step));
            order.push_back(static_cast<int>(mid + step));
        }
        return order;
    }
    const int first = hi - mid > mid - lo ? 1 : -1;
    long long step = 1;
    for (long long k = 0; k < n - 2; ++k) {
        const int side = k % 2 == 0 ? first : -first;
        order.push_back(static_cast<int>(mid + side * step));
        if (k % 2 == 1)
            ++step;
    }
    order.push_back(static_cast<int>(first > 0 ? hi : lo));  // the farther side has one more value
    return order;
}

std::vector<int> RangeEnds(int a, int b)
{
    if (a == b)
        return {a};
    return {std::min(a, b), std::max(a, b)};
}

std::vector<QPoint> OrderTilesCentreOut(const TileRange& range)
{
    const std::vector<int> innerColumns = CentreOutOrder(range.x0, range.x1);
    const std::vector<int> innerRows = CentreOutOrder(range.y0, range.y1);
    const std::vector<int> endColumns = RangeEnds(range.x0, range.x1);
    const std::vector<int> endRows = RangeEnds(range.y0, range.y1);
    std::vector<QPoint> list;
    list.reserve((innerColumns.size() + endColumns.size()) * (innerRows.size() + endRows.size()));
    for (const int column : innerColumns)
        for (const int row : innerRows)
            list.emplace_back(column, row);
    for (const int column : innerColumns)
        for (const int row : endRows)
            list.emplace_back(column, row);
    for (const int column : endColumns) {
        for (const int row : innerRows)
            list.emplace_back(column, row);
        for (const int row : endRows)
            list.emplace_back(column, row);
    }
    return list;
}

}  // namespace fe::geo
