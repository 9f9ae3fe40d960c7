#include "framework/CEfResourceManager.h"

#include "foundation/EfUtility.h"
#include "framework/CHfcGdiplus.h"

namespace
{
CEfResourceManager* g_manager = nullptr;
} // namespace

CEfResourceManager::CEfResourceManager()
{
    CHfcGdiplus::Acquire();
    if (!g_manager)
        g_manager = this;
}

CEfResourceManager::~CEfResourceManager()
{
    if (g_manager == this)
        g_manager = nullptr;
    UnloadBitmaps();
    CHfcGdiplus::Release();
}

CEfResourceManager* CEfResourceManager::GetInstance()
{
    return g_manager;
}

bool CEfResourceManager::LoadBitmaps()
{
    UnloadBitmaps();
    size_t count = 0, stride = 0;
    m_list = static_cast<const uint8_t*>(GetBitmapList(count, stride));
    m_stride = stride;
    if (!m_list)
        count = 0;
    m_decoded.assign(count, 0);
    for (size_t i = 0; i < count; ++i)
    {
        m_bitmaps.push_back(std::make_unique<CHfcBmp>());
        m_index.emplace(reinterpret_cast<const char*>(m_list + i * m_stride), i);
    }
    return true;
}

CHfcBmp* CEfResourceManager::GetBitmap(size_t index)
{
    if (index >= m_bitmaps.size())
        return nullptr;
    if (!m_decoded[index])
    {
        m_bitmaps[index]->LoadPngResource(reinterpret_cast<const char*>(m_list + index * m_stride), 0, 0);
        m_decoded[index] = 1;
    }
    return m_bitmaps[index].get();
}

CHfcBmp* CEfResourceManager::FindBitmap(const char* name)
{
    auto it = name ? m_index.find(name) : m_index.end();
    return it == m_index.end() ? nullptr : GetBitmap(it->second);
}

void CEfResourceManager::UnloadBitmaps()
{
    while (!m_bitmaps.empty())
    {
        m_bitmaps.back()->Release();
        m_bitmaps.pop_back();
    }
    m_decoded.clear();
    m_index.clear();
    m_list = nullptr;
}

CHfcBmp* GetBitmap(const char* name)
{
    CEfResourceManager* manager = CEfResourceManager::GetInstance();
    CHfcBmp* bitmap = manager ? manager->FindBitmap(name) : nullptr;
    if (!bitmap)
        DebugTrace("Failed to get bitmap (%s)", name ? name : "");
    return bitmap;
}

CHfcBmp* GetBitmapByIndex(size_t index)
{
    CEfResourceManager* manager = CEfResourceManager::GetInstance();
    return manager ? manager->GetBitmap(index) : nullptr;
}
