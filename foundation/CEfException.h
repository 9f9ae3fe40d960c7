#pragma once

#include <cstdint>

// A failure that carries a numeric code; the code selects a localised message key.
// Throw by value, catch by const reference, so that a handler keeps the derived class.
class CEfException
{
public:
    explicit CEfException(int32_t code);
    virtual ~CEfException();

    virtual int32_t GetCode() const;
    // The localised-strings key of the code. The base class has no table and answers "".
    virtual const char* GetMessageKey() const;
    // Writes "!! Error !! (#code) key" to the debug trace.
    virtual void Report() const;

private:
    int32_t m_code;
};
