#include "editor/library/CProgramListHost.h"

CProgramListHost::~CProgramListHost() = default;
