#pragma once

#include "framework/CHfcMdiFrameWindow.h"

#include <string>
#include <vector>

class CEditorInterface;
class CEditorWindowInterface;
class CLibraryWindowInterface;
class CHfcMenuBar;
struct CSettings;

// The editor's main window: keeps every editor window and the open library windows, shows the
// empty menu bar while no editor window exists and the main bar otherwise, records its normal
// placement for the settings, opens all-data files dropped on it and asks each library window to
// save its changes before it closes. Window thread only.
class CMdiFrameWindow : public CHfcMdiFrameWindow
{
public:
    // settings: where the saved rectangle and the utility windows' state go; both outlive the
    // frame.
    CMdiFrameWindow(CEditorInterface& editor, CSettings& settings);

    // Stores the rectangle as the saved one, creates the window with the program's icon and
    // takes dropped files.
    bool Create(const char* title, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                CHfcMenuBar* menuBar) override;

    // The bar shown while editor windows exist (the frame is created with the empty one).
    void SetMenuBars(CHfcMenuBar* emptyBar, CHfcMenuBar* mainBar);

    void AddLibraryWindow(CLibraryWindowInterface* window);
    void RemoveLibraryWindow(CLibraryWindowInterface* window);
    // Null when i is outside 0..count - 1.
    CLibraryWindowInterface* GetLibraryWindow(int32_t i) const;
    int32_t GetLibraryWindowCount() const { return static_cast<int32_t>(m_libraryWindows.size()); }
    // The first editor window switches to the main menu bar, the last one back.
    void AddChildWindow(CEditorWindowInterface* window);
    void RemoveChildWindow(CEditorWindowInterface* window);
    size_t GetChildWindowCount() const { return m_childWindows.size(); }
    // Asks each library window in order; false at the first that cancels.
    bool CloseAllLibraryWindows();
    // Opens an all-data file in a new library window once start-up has finished; false when the
    // file is not one or it cannot be opened.
    bool OpenDroppedFile(const std::wstring& path);
    // While the frame is in its normal state (not minimised or maximised): its window rectangle,
    // in screen coordinates, becomes the saved rectangle.
    void StoreNormalPlacement();

    const char* GetWindowClassName() override;
    bool RegisterWindowClass() override;
    int GetWindowMenuPosition() override;
    bool CanClose() override;
    LRESULT HandleMove(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleSize(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDroppedFiles(const std::vector<std::wstring>& paths) override;

private:
    void ShowMenuBar(CHfcMenuBar* bar, int windowMenuPosition);
    void RecordUtilityWindows();

    CEditorInterface& m_editor;
    CSettings& m_settings;
    CHfcMenuBar* m_emptyBar = nullptr; // not owned
    CHfcMenuBar* m_mainBar = nullptr;  // not owned
    bool m_showingMainBar = false;
    std::vector<CEditorWindowInterface*> m_childWindows;    // creation order; not owned
    std::vector<CLibraryWindowInterface*> m_libraryWindows; // not owned
};

// Whether the file begins with the all-data file's tag "3580AllD".
bool IsAllDataFile(const std::wstring& path);
