#pragma once

namespace fe::geo {

// An earth ellipsoid. Only GRS80 is used.
struct Ellipsoid
{
    double a = 0.0;   // semi-major axis, metres
    double b = 0.0;   // semi-minor axis, metres
    double f = 0.0;   // inverse flattening
    double e = 0.0;   // first eccentricity
    double e2 = 0.0;  // second eccentricity

    void SetGrs80();
};

// The meridian arc length from the equator, as the series of (1 − e² sin²φ)^(−3/2) integrated
// term by term up to e¹⁶: S(φ) = a(1 − e²)[Aφ − B/2 sin 2φ + C/4 sin 4φ − … + I/16 sin 16φ].
class MeridianArc
{
public:
    void Init(const Ellipsoid& ellipsoid);
    // Metres from the equator to the latitude (radians).
    double Length(double latitude) const;

private:
    static constexpr int kTerms = 9;
    double m_coefficients[kTerms] = {};  // A, B, C, D, E, F, G, H, I
    const Ellipsoid* m_ellipsoid = nullptr;
};

}  // namespace fe::geo
