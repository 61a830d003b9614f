#include "model/IchimillLoaderParams.h"

#include <cmath>

#include "fe/File.h"

namespace {

bool IsDistance(double degrees)
{
    return std::isfinite(degrees) && degrees >= 0.0;
}

}  // namespace

void IchimillLoaderParams::SetDefaults()
{
    acceptSingle = 1;
    acceptDgps = 1;
    acceptRtkFix = 1;
    acceptRtkFloat = 1;
    thinningInterval = 5;
    minimumDistance = 1e-6;
    maximumJump = 1e-4;
}

bool IchimillLoaderParams::Write(fe::FileWB& file) const
{
    try {
        file.writeBinByte(acceptSingle)
            .writeBinByte(acceptDgps)
            .writeBinByte(acceptRtkFix)
            .writeBinByte(acceptRtkFloat);
        file.writeBinInt32(thinningInterval).writeBinDouble(minimumDistance).writeBinDouble(maximumJump);
    } catch (const fe::Failure&) {
        return false;
    }
    return true;
}

bool IchimillLoaderParams::Read(fe::FileRB& file)
{
    SetDefaults();
    try {
        file.readBinByte(acceptSingle)
            .readBinByte(acceptDgps)
            .readBinByte(acceptRtkFix)
            .readBinByte(acceptRtkFloat);
        file.readBinInt32(thinningInterval).readBinDouble(minimumDistance).readBinDouble(maximumJump);
    } catch (const fe::Failure&) {
        return false;
    }
    // A value the track reader cannot use (a negative interval, a distance that is negative or not a
    // finite number) takes its default; the rest of the block stays.
    const IchimillLoaderParams defaults;
    if (thinningInterval < 0)
        thinningInterval = defaults.thinningInterval;
    if (!IsDistance(minimumDistance))
        minimumDistance = defaults.minimumDistance;
    if (!IsDistance(maximumJump))
        maximumJump = defaults.maximumJump;
    return true;
}
