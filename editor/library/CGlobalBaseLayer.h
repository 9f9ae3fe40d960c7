#pragma once

#include "editor/base/CBaseLayer.h"

#include <cstdint>

class CGlobal;
class CGlobalEditHost;
class CHfcBmp;
class CLibraryEntry;

// What both sub-pages of the global page share: the library's global entry read and written
// through the global accessor (every read 0 and every write skipped without one), the host
// window, the part of the page's background under the sub-page, and the refresh on
// notifications 17 and 18 of the own document. Window thread only.
class CGlobalBaseLayer : public CBaseLayer
{
public:
    enum : uint32_t
    {
        kTextSize = 256,
    };

    // entry: the library's global entry; neither is owned.
    CGlobalBaseLayer(CLibraryEntry* entry, CGlobalEditHost& host);
    ~CGlobalBaseLayer() override;

    // Creates the layer in the window, listening to the window manager.
    bool Create(int32_t x, int32_t y, int32_t width, int32_t height, CBaseWindow* window) override;
    bool Destroy() override;
    virtual bool CreateControls() = 0;
    // Every control read back from the global data.
    virtual void Refresh() = 0;
    // The background part, then every control, under the layers' semaphore.
    void RedrawAll();
    // What takes the keys while the sub-page is shown.
    virtual CHfcKeyListener* GetKeyTarget() { return this; }

    int32_t GetValue(uint32_t group, uint32_t index) const;
    // Only while writes are allowed.
    void SetValue(uint32_t group, uint32_t index, int32_t value);
    void GetValueText(uint32_t group, uint32_t index, int32_t value, char* text) const;
    void GetCurrentValueText(uint32_t group, uint32_t index, char* text) const;
    const char* GetName(uint32_t group, uint32_t index) const;
    int32_t GetMinimum(uint32_t group, uint32_t index) const;
    int32_t GetMaximum(uint32_t group, uint32_t index) const;
    bool IsEditable(uint32_t group, uint32_t index) const;
    uint32_t GetKind(uint32_t group, uint32_t index) const;

    CGlobal* GetGlobal() const;
    // The change of the global data made known: the window marked modified (with the flag) and
    // notification 17 posted.
    void ReportChange();

    bool OnWindowManagerNotify(CWindowManager* manager, uint32_t code, intptr_t p1, intptr_t p2, intptr_t p3,
                               intptr_t p4, void* sender) override;

protected:
    // The value field's sensitivity for a range: 127 / (maximum - minimum) within 1 .. 12.
    static int32_t Sensitivity(int32_t minimum, int32_t maximum);
    void DrawBackgroundPart();
    virtual void DestroyControls() = 0;

    CLibraryEntry* m_entry; // not owned
    CGlobalEditHost& m_host;
    CHfcBmp* m_background = nullptr;
    bool m_writesAllowed = true;
    bool m_listening = false;
};
