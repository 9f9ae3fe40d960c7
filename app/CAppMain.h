#pragma once

#include "framework/CHfcAppBase.h"

#include <memory>

class CEditorInterface;
class CHfcMdiFrameWindow;

// The editor's application object: opens the main frame and asks the editor, through the
// interface it is given, for the windows that belong to it.
class CAppMain : public CHfcApp
{
public:
    // `editor` outlives the application object.
    explicit CAppMain(CEditorInterface& editor);
    ~CAppMain() override;

    // Opens the main frame titled "Nuvorn Sound Editor"; false when it cannot be made.
    bool Init() override;
    bool Exit() override;

    CEditorInterface& GetEditor() const { return m_editor; }
    CHfcMdiFrameWindow* GetFrame() const { return m_frame.get(); }

private:
    CEditorInterface& m_editor;
    std::unique_ptr<CHfcMdiFrameWindow> m_frame;
};
