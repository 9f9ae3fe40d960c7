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

bool CEfResourceManager::GetBmpFontCell(size_t, int32_t&, int32_t&)
{
    return false;
}

void CEfResourceManager::OnBitmapFailed(const char* name)
{
    DebugTrace("Failed to decode bitmap (%s)", name);
}

bool CEfResourceManager::LoadBitmaps()
{
    UnloadBitmaps();
    size_t count = 0, stride = 0;
    m_list = static_cast<const uint8_t*>(GetBitmapList(count, stride));
    m_stride = stride;
    if (!m_list)
        return false;
    m_decoded.assign(count, kNotDecoded);
    for (size_t i = 0; i < count; ++i)
    {
        m_bitmaps.push_back(std::make_unique<CHfcBmp>());
        m_index.emplace(NameOf(i), i);
    }
    return true;
}

CHfcBmp* CEfResourceManager::GetBitmap(size_t index)
{
    if (index >= m_bitmaps.size())
        return nullptr;
    if (m_decoded[index] != kDecoded)
    {
        try
        {
            m_bitmaps[index]->LoadPngResource(NameOf(index), 0, 0);
        }
        catch (...)
        {
            if (m_decoded[index] != kFailed)
            {
                m_decoded[index] = kFailed;
                OnBitmapFailed(NameOf(index));
            }
            throw;
        }
        m_decoded[index] = kDecoded;
    }
    return m_bitmaps[index].get();
}

CHfcBmp* CEfResourceManager::FindBitmap(const char* name)
{
    auto it = name ? m_index.find(name) : m_index.end();
    return it == m_index.end() ? nullptr : GetBitmap(it->second);
}

CHfcBmp* CEfResourceManager::GetBitmapForDrawing(size_t index)
{
    if (index >= m_bitmaps.size() || m_decoded[index] == kFailed)
        return nullptr;
    try
    {
        return GetBitmap(index);
    }
    catch (...)
    {
        return nullptr; // reported by GetBitmap
    }
}

CHfcBmp* CEfResourceManager::FindBitmapForDrawing(const char* name)
{
    auto it = name ? m_index.find(name) : m_index.end();
    return it == m_index.end() ? nullptr : GetBitmapForDrawing(it->second);
}

const CHfcBmpFontInfo* CEfResourceManager::FindBmpFontInfo(const char* name)
{
    auto it = name ? m_index.find(name) : m_index.end();
    if (it == m_index.end())
        return nullptr;
    auto font = m_fonts.find(it->second);
    if (font != m_fonts.end())
        return &font->second;
    int32_t cellWidth = 0, cellHeight = 0;
    if (!GetBmpFontCell(it->second, cellWidth, cellHeight) || cellWidth <= 0 || cellHeight <= 0)
        return nullptr;
    CHfcBmpFontInfo info = {};
    info.cellWidth = cellWidth;
    info.cellHeight = cellHeight;
    info.glyphCount = 128;
    for (int32_t i = 0; i < 128; ++i)
        info.glyphs[i] = {i * cellHeight, 0, static_cast<int16_t>(cellWidth)};
    return &m_fonts.emplace(it->second, info).first->second;
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
    m_fonts.clear();
    m_list = nullptr;
}

CHfcBmp* GetBitmap(const char* name)
{
    CEfResourceManager* manager = CEfResourceManager::GetInstance();
    CHfcBmp* bitmap = manager ? manager->FindBitmapForDrawing(name) : nullptr;
    if (!manager || !manager->HasBitmap(name))
        DebugTrace("Failed to get bitmap (%s)", name ? name : "");
    return bitmap;
}

CHfcBmp* GetBitmapByIndex(size_t index)
{
    CEfResourceManager* manager = CEfResourceManager::GetInstance();
    return manager ? manager->GetBitmapForDrawing(index) : nullptr;
}

const CHfcBmpFontInfo* GetBmpFontInfo(const char* name)
{
    CEfResourceManager* manager = CEfResourceManager::GetInstance();
    const CHfcBmpFontInfo* info = manager ? manager->FindBmpFontInfo(name) : nullptr;
    if (!info)
        DebugTrace("Failed to get bmp font info (%s)", name ? name : "");
    return info;
}
