#pragma once

#include <cstdint>

class CHfcKey;

// Receives the keys of the key singleton while it holds the focus. The defaults answer false.
class CHfcKeyListener
{
public:
    virtual ~CHfcKeyListener() = default;
    virtual bool OnHfcKeyDown(CHfcKey*, uint32_t /*code*/, uint32_t /*flags*/) { return false; }
    virtual bool OnHfcKeyUp(CHfcKey*, uint32_t /*code*/, uint32_t /*flags*/) { return false; }
    virtual bool OnHfcKeyCharacter(CHfcKey*, uint32_t /*code*/, uint32_t /*flags*/) { return false; }
    virtual bool OnHfcKeyGetFocus(CHfcKey*) { return false; }
    virtual bool OnHfcKeyKillFocus(CHfcKey*) { return false; }
};
