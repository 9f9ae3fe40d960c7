#pragma once

#include "synthdata/CZmData.h"

// The instrument's global settings.
class CZmGlobalData : public CZmData
{
public:
    // Copies the other's image.
    virtual void CopyFrom(const CZmGlobalData& other);
    CZmData& Assign(const CZmData& other) override;
};
