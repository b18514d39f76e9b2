#ifndef LEVELCURVE_H
#define LEVELCURVE_H

#include <algorithm>
#include <cmath>

// How a GIF's bytes follow the quality level below 100: as a power of the distance from
// 100, bytes ∝ (100 - level)^-power, steep near 100 and flat far below, as the levels'
// tolerances grow in even steps. Measured powers lie between a few tenths (screen
// recordings) and about one (photographs).
const double UsualLevelPower = 0.5;
const double FlattestLevelPower = 0.15;
const double SteepestLevelPower = 1.5;

// How many times the bytes of a level those of another are.
inline double levelBytesFactor(int level, int from, double power)
{
    return std::pow(double(100 - level) / double(100 - from), -power);
}

// The level, as a real number, whose bytes are factor times those of from.
inline double levelForFactor(int from, double factor, double power)
{
    return 100 - (100 - from) * std::pow(factor, -1 / power);
}

// The power through two levels' bytes, within the powers there are; the usual one when they
// tell none.
inline double levelPowerThrough(int level1, double bytes1, int level2, double bytes2)
{
    if (level1 == level2 || level1 >= 100 || level2 >= 100 || !(bytes1 > 0) || !(bytes2 > 0))
        return UsualLevelPower;
    const double power =
        -std::log(bytes1 / bytes2) / std::log(double(100 - level1) / double(100 - level2));
    return std::clamp(power, FlattestLevelPower, SteepestLevelPower);
}

#endif
