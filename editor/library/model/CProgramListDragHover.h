#pragma once

#include <cstdint>

// The hover timers of a drag over the program list, run by the list's 60 ms tick: resting on
// a bank tab shows that bank, resting anywhere brings the list's window to the front.
class CProgramListDragHover
{
public:
    enum : int32_t
    {
        kTickMs = 60,
        kBankHoverMs = 301,   // the sixth tick on a tab
        kWindowHoverMs = 300, // passed on the sixth tick of rest
    };

    // A drag entered the list: both timers start again.
    void Restart();
    // The pointer moved: the rest is over, the window may come forward again after the next.
    void PointerMoved();
    // One tick with the bank tab under the pointer (-1 none): the bank to show now, or -1.
    // The time restarts once a bank is shown and whenever the pointer reaches another tab.
    int32_t TickBank(int32_t tab);
    // One tick: true once per rest, when it has lasted past 300 ms.
    bool TickWindow();

private:
    int32_t m_bankTab = -1;
    int32_t m_bankMs = 0;
    int32_t m_windowMs = 0;
    bool m_windowDone = false;
};
