#pragma once

#include "synthdata/CQ3580GlobalData.h"

// Global data as the application, libraries and the MIDI manager hold it.
class CGlobal : public CQ3580GlobalData
{
public:
    void Init() override;
};
