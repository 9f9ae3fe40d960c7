#pragma once

#include <windows.h>

#include <atomic>

// The framework's small message-box wrapper. buttons: 0 OK, 1 OK and Cancel, 2 Yes and No,
// any other value OK; icon: 2 information, 3 warning, 4 error, any other value none.
// Returns 1 for OK or Yes, -1 for Abort, Retry, Ignore, Try Again or Continue, 2 otherwise.
int showMessageBox(const char* text, const char* title, HWND owner, int buttons, int icon);
int showMessageBox(const char* text, const char* title, int buttons, int icon);

// The MessageBox style and the wrapper's result, on their own.
UINT GetMessageBoxStyle(int buttons, int icon);
int GetMessageBoxResult(int answer);

// A framework-internal error box (text, title "error", OK, no owner) that appears once;
// later reports of the same error go to the debug trace, so that messages arriving while the
// box is open cannot open boxes inside it.
class CHfcErrorBoxOnce
{
public:
    explicit CHfcErrorBoxOnce(const char* text) : m_text(text) {}
    void Report();
    bool WasShown() const { return m_shown; }

private:
    const char* m_text;
    std::atomic<bool> m_shown{false};
};
