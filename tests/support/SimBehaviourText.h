#pragma once

// The simulated instrument's behaviour as text: `name=value` lines, one field of CSimBehaviour
// each (bool fields take 0, 1, false or true; numbers may be written in hex as 0x24). Lines with
// an unknown name, no '=' or a value out of the field's range are ignored, so a missing file or an
// empty text is the default behaviour.

#include "support/CSimInstrument.h"

#include <string>

CSimBehaviour ParseSimBehaviour(const std::string& text);
// Every field, one line each, in the form ParseSimBehaviour reads.
std::string FormatSimBehaviour(const CSimBehaviour& behaviour);
