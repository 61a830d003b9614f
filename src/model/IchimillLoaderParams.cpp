#include "model/IchimillLoaderParams.h"

#include "fe/File.h"

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

void IchimillLoaderParams::Write(fe::FileWB& file) const
{
    file.writeBinByte(acceptSingle)
        .writeBinByte(acceptDgps)
        .writeBinByte(acceptRtkFix)
        .writeBinByte(acceptRtkFloat);
    file.writeBinInt32(thinningInterval).writeBinDouble(minimumDistance).writeBinDouble(maximumJump);
}

void IchimillLoaderParams::Read(fe::FileRB& file)
{
    SetDefaults();
    file.readBinByte(acceptSingle)
        .readBinByte(acceptDgps)
        .readBinByte(acceptRtkFix)
        .readBinByte(acceptRtkFloat);
    file.readBinInt32(thinningInterval).readBinDouble(minimumDistance).readBinDouble(maximumJump);
}
