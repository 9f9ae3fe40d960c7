#pragma once

#include <cstdint>
#include <vector>

// A system-exclusive message being assembled across input buffers.
class CSysExBuffer
{
public:
    virtual ~CSysExBuffer() = default;

    void Clear()
    {
        m_bytes.clear();
        m_inMessage = false;
    }

    bool m_inMessage = false; // a message is open
    std::vector<uint8_t> m_bytes;
};
