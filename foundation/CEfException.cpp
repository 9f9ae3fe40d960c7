#include "foundation/CEfException.h"

#include "foundation/EfUtility.h"

CEfException::CEfException(int32_t code) : m_code(code) {}

CEfException::~CEfException() = default;

int32_t CEfException::GetCode() const
{
    return m_code;
}

const char* CEfException::GetMessageKey() const
{
    return "";
}

void CEfException::Report() const
{
    DebugTrace("!! Error !! (#%d) %s", GetCode(), GetMessageKey());
}
