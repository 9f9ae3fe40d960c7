#pragma once

#include <cstdint>

class CHfcKeyFocus;

// Receives the keys of a window's key-focus object while it holds the focus. The defaults do
// nothing and answer false.
class CHfcKeyFocusListener
{
public:
    virtual ~CHfcKeyFocusListener() = default;
    virtual void OnHfcKeyFocusGot(CHfcKeyFocus*) {}
    virtual void OnHfcKeyFocusLost(CHfcKeyFocus*) {}
    virtual bool OnHfcKeyFocusKeyDown(CHfcKeyFocus*, uint32_t /*key*/, uint32_t, uint32_t /*modifiers*/)
    {
        return false;
    }
    // A held key's repeats; by default the same as a key-down.
    virtual bool OnHfcKeyFocusKeyRepeat(CHfcKeyFocus* focus, uint32_t key, uint32_t reserved,
                                        uint32_t modifiers)
    {
        return OnHfcKeyFocusKeyDown(focus, key, reserved, modifiers);
    }
    virtual bool OnHfcKeyFocusKeyUp(CHfcKeyFocus*, uint32_t /*key*/, uint32_t, uint32_t /*modifiers*/)
    {
        return false;
    }
    virtual bool OnHfcKeyFocusCharacter(CHfcKeyFocus*, uint32_t /*character*/) { return false; }
    // Whether a screen point lies on the listener.
    virtual bool OnHfcKeyFocusHitTest(int32_t /*x*/, int32_t /*y*/) { return false; }
};
