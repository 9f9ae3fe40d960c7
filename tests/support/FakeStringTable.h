#pragma once

#include "foundation/CEfStringTable.h"

#include <map>
#include <string>
#include <vector>

// A string table with the lists a test gives it, installed as the process-wide table for
// the fixture's lifetime.
class FakeStringTable : public CEfStringTable
{
public:
    explicit FakeStringTable(std::map<std::string, std::vector<std::string>> lists)
        : m_lists(std::move(lists))
    {
        m_previous = GetStringTable();
        SetStringTable(this);
    }
    ~FakeStringTable() override { SetStringTable(m_previous); }

    const char* GetString(const char* keyword, uint32_t index) const override
    {
        auto it = m_lists.find(keyword);
        if (it == m_lists.end() || index >= it->second.size())
            return nullptr;
        return it->second[index].c_str();
    }
    uint32_t GetCount(const char* keyword) const override
    {
        auto it = m_lists.find(keyword);
        return it == m_lists.end() ? 0 : static_cast<uint32_t>(it->second.size());
    }

private:
    std::map<std::string, std::vector<std::string>> m_lists;
    CEfStringTable* m_previous = nullptr;
};
