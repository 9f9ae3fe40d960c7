#include "synthdata/CZmGlobalData.h"

#include <cstring>

void CZmGlobalData::CopyFrom(const CZmGlobalData& other)
{
    if (&other != this && other.GetImageSize() == GetImageSize())
        std::memcpy(GetImage(), other.GetImage(), GetImageSize());
}

CZmData& CZmGlobalData::Assign(const CZmData& other)
{
    if (const auto* global = dynamic_cast<const CZmGlobalData*>(&other))
        CopyFrom(*global);
    return *this;
}
