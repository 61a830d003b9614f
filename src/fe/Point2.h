#pragma once

// Plain value types for points and vectors. They are copied freely and carry no virtual functions.

// A point, a vector or a width/height size in doubles.
struct Point2
{
    double x = 0.0;
    double y = 0.0;

    constexpr Point2() = default;
    constexpr Point2(double px, double py) : x(px), y(py) {}

    void CopyTo(Point2& destination) const { destination = *this; }
    void Clear() { x = y = 0.0; }
    // Marks the point as not set: only x carries the unset value, y becomes 0.
    void SetUnset();

    [[nodiscard]] Point2 Scale(double factor) const { return {x * factor, y * factor}; }
    // No check for a zero factor.
    [[nodiscard]] Point2 Divide(double factor) const { return {x / factor, y / factor}; }
    // Turns about the origin by an angle in radians, counter-clockwise in a y-up frame.
    [[nodiscard]] Point2 Rotate(double angle) const;
    // The vector scaled to length 1; (1, 0) when its length is at most 1e-14.
    [[nodiscard]] Point2 Unit() const;
    // Direction in radians, in [0, 2π).
    [[nodiscard]] double Angle() const;
    // 0 for the zero vector; else 1 (+x), 2 (+y), 3 (−x) or 4 (−y) by the dominant component; a tie goes to
    // y.
    [[nodiscard]] int Quadrant() const;
    // Reads this point as a size w × h and scales it to fit a box of the given size, keeping its aspect
    // ratio. A size without height gives (0, 0).
    [[nodiscard]] Point2 FitInto(const Point2& box) const;

    friend constexpr Point2 operator+(const Point2& a, const Point2& b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr Point2 operator-(const Point2& a, const Point2& b) { return {a.x - b.x, a.y - b.y}; }
    friend constexpr bool operator==(const Point2& a, const Point2& b) = default;
};

// A point in floats: outlines of marks and direction arrows before they become pixels.
struct Point2f
{
    float x = 0.0f;
    float y = 0.0f;

    constexpr Point2f() = default;
    constexpr Point2f(float px, float py) : x(px), y(py) {}

    // The same rotation as Point2::Rotate, computed in double.
    [[nodiscard]] Point2f Rotate(double angle) const;
    // The same rule as Point2::Quadrant.
    [[nodiscard]] int Quadrant() const;

    friend constexpr bool operator==(const Point2f& a, const Point2f& b) = default;
};

// A point of three doubles (CAD extents and outputs).
struct Point3
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr Point3() = default;
    constexpr Point3(double px, double py, double pz) : x(px), y(py), z(pz) {}

    friend constexpr bool operator==(const Point3& a, const Point3& b) = default;
};
