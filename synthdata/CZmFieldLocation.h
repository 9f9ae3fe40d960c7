#pragma once

#include "synthdata/CZmParameterTable.h"

class CZmData;

// Where a parameter's field lies in an image: an 8-bit field (shift, mask, bias, sign
// extension from 8 bits) or a whole 16-bit little-endian value limited to [minimum, maximum].
// Reads and writes are bounds-checked against the image size: outside it, reads give 0 and
// writes do nothing.
struct CZmFieldLocation
{
    uint32_t offset = 0; // from the start of the image
    uint32_t shift = 0;
    uint32_t mask = 0;
    int32_t bias = 0;
    bool isSigned = false;
    bool is16Bit = false;
    int32_t minimum = 0;
    int32_t maximum = 0;

    // The 8-bit field of a row in a section starting at base.
    static CZmFieldLocation FromRow(const CZmParameterInfo& row, uint32_t base);
    // The row's 16-bit value at base + offset.
    static CZmFieldLocation Wide(const CZmParameterInfo& row, uint32_t base);

    int32_t Read(const CZmData& data) const;
    void Write(CZmData& data, int32_t value) const;
};
