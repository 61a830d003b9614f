#include "fe/geo/Ellipsoid.h"

#include <cmath>

namespace fe::geo {

namespace {

double Binomial(int n, int k)
{
    double value = 1.0;
    for (int i = 1; i <= k; ++i) {
        value = value * (n - k + i) / i;
    }
    return value;
}

}  // namespace

void Ellipsoid::SetGrs80()
{
    a = 6378137.0;
    b = 6356752.31414;
    f = 298.2572221008827;
    e = std::sqrt(2 * f - 1) / f;
    e2 = std::sqrt(2 * f - 1) / (f - 1);
}

void MeridianArc::Init(const Ellipsoid& ellipsoid)
{
    m_ellipsoid = &ellipsoid;
    for (double& c : m_coefficients) {
        c = 0.0;
    }
    // With c_n = 1·3·5···(2n+1) / (2ⁿ n!), the e^(2n) term contributes c_n C(2n, n) / 4ⁿ to A and
    // 2 c_n C(2n, n − k) / 4ⁿ to the k-th sine coefficient (k ≤ n).
    double cn = 1.0;
    m_coefficients[0] = 1.0;
    for (int n = 1; n < kTerms; ++n) {
        cn = cn * (2 * n + 1) / (2 * n);
        const double power = std::pow(ellipsoid.e, 2 * n);
        const double scale = cn * power / std::pow(4.0, n);
        m_coefficients[0] += scale * Binomial(2 * n, n);
        for (int k = 1; k <= n; ++k) {
            m_coefficients[k] += 2 * scale * Binomial(2 * n, n - k);
        }
    }
}

double MeridianArc::Length(double latitude) const
{
    double sum = m_coefficients[0] * latitude;
    double sign = -1.0;
    for (int k = 1; k < kTerms; ++k) {
        sum += sign * m_coefficients[k] / (2 * k) * std::sin(2 * k * latitude);
        sign = -sign;
    }
    const double e = m_ellipsoid->e;
    return m_ellipsoid->a * (1 - e * e) * sum;
}

}  // namespace fe::geo
