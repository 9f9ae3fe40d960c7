#include "synthdata/CGlobal.h"

void CGlobal::Init()
{
    Clear();
}
