#include "app/CParameterChangeTarget.h"

#include "framework/CHfcScopedLock.h"

void CParameterChangeTarget::Set(intptr_t documentId, int32_t programNumber, CLibraryData* document,
                                 CProgram* program)
{
    CHfcScopedLock lock(m_lock);
    m_target = {documentId, programNumber, document, program};
    m_valid = true;
}

void CParameterChangeTarget::SetProgram(CProgram* program)
{
    CHfcScopedLock lock(m_lock);
    if (m_valid)
        m_target.program = program;
}

void CParameterChangeTarget::Clear()
{
    CHfcScopedLock lock(m_lock);
    m_valid = false;
    m_target = CTarget();
}

bool CParameterChangeTarget::IsValid()
{
    CHfcScopedLock lock(m_lock);
    return m_valid;
}

bool CParameterChangeTarget::Get(CTarget& target)
{
    CHfcScopedLock lock(m_lock);
    if (m_valid)
        target = m_target;
    return m_valid;
}

CParameterChangeTarget& ParameterChangeTarget()
{
    static CParameterChangeTarget target;
    return target;
}
