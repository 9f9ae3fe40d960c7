#include "editor/library/CGlobalEditHost.h"

CGlobalEditHost::~CGlobalEditHost() = default;
