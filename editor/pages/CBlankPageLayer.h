#pragma once

#include "editor/pages/CEditPageLayer.h"

// A section editor's page before its controls exist: the page background and logo only, bound
// to the program like every edit page. Window thread only.
class CBlankPageLayer : public CEditPageLayer
{
public:
    using CEditPageLayer::CEditPageLayer;
    bool CreateControls() override;
};
