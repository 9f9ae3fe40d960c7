// The process-wide state every framework test relies on: GDI+ and the mouse and key
// singletons (a window that meets a mouse message without them would open a message box).
#include "framework/CHfcGdiplus.h"
#include "framework/CHfcKey.h"
#include "framework/CHfcMouse.h"

#include <gtest/gtest.h>

namespace
{
class FrameworkEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(CHfcGdiplus::Acquire());
        ASSERT_TRUE(CHfcMouse::Create());
        ASSERT_TRUE(CHfcKey::Create());
    }
    void TearDown() override
    {
        CHfcKey::Release();
        CHfcMouse::Release();
        CHfcGdiplus::Release();
    }
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);
} // namespace
