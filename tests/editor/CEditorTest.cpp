// The editor's start and stop around the core's services: the OLE block drag transport of the
// edit pages is installed over the block accessor and given back while the accessor exists.
#include "app/CBlockAccessor.h"
#include "editor/CEditor.h"
#include "editor/base/CEditorServices.h"
#include "editor/base/COleBlockDragTransport.h"
#include "framework/CHfcClipboard.h"
#include "framework/CHfcDragData.h"
#include "synthdata/CBlockData.h"
#include "synthdata/CProgram.h"

#include <gtest/gtest.h>

namespace
{
class OtherTransport : public CBlockDragTransport
{
public:
    bool RunBlockDrag(CHfcControl&, const CBlockData&, int32_t, int32_t) override { return false; }
    std::vector<CBlockData> GetBlocks(CHfcDragData*) override { return {}; }
};

class EditorStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(blocks.RegisterFormats());
        ASSERT_EQ(GetBlockDragTransport(), nullptr);
    }
    void TearDown() override
    {
        SetBlockDragTransport(nullptr);
        SetBlockAccessor(nullptr);
    }
    CHfcClipboard clipboard;
    CBlockAccessor blocks{clipboard};
};

TEST_F(EditorStart, InstallsTheOleTransportOverTheBlockAccessorAndGivesItBackAtStop)
{
    SetBlockAccessor(&blocks);
    {
        CEditor editor;
        EXPECT_EQ(GetBlockDragTransport(), nullptr) << "nothing before the core has started";
        editor.OnCoreStarted();
        auto* transport = dynamic_cast<COleBlockDragTransport*>(GetBlockDragTransport());
        ASSERT_NE(transport, nullptr);
        // It carries blocks in the accessor's registered formats.
        CProgram program;
        program.Init();
        CBlockData arp;
        ASSERT_TRUE(arp.WriteArp(program));
        CHfcDragData data;
        ASSERT_TRUE(transport->AddBlockItem(data, arp));
        const std::vector<CBlockData> read = transport->GetBlocks(&data);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0].GetBlockKind(), uint32_t{kBlockArp});

        editor.OnCoreStopping();
        EXPECT_EQ(GetBlockDragTransport(), nullptr);

        // A transport someone else installed meanwhile stays.
        editor.OnCoreStarted();
        OtherTransport other;
        SetBlockDragTransport(&other);
        editor.OnCoreStopping();
        EXPECT_EQ(GetBlockDragTransport(), &other);
        SetBlockDragTransport(nullptr);

        editor.OnCoreStarted();
        EXPECT_NE(GetBlockDragTransport(), nullptr);
    }
    EXPECT_EQ(GetBlockDragTransport(), nullptr) << "the editor gone, its transport is given back";
}

TEST_F(EditorStart, WithoutABlockAccessorNoTransportIsInstalled)
{
    CEditor editor;
    editor.OnCoreStarted();
    EXPECT_EQ(GetBlockDragTransport(), nullptr);
    editor.OnCoreStopping();
    EXPECT_EQ(GetBlockDragTransport(), nullptr);
}

// The application's objects are deleted after the stop: the record forgets them, but keeps a
// test's popup presenter.
TEST_F(EditorStart, TheServicesRecordIsEmptiedWhenTheCoreHasStopped)
{
    CEditorServices& services = EditorServices();
    CEditorPopupPresenter popups;
    services.windowManager = reinterpret_cast<CWindowManager*>(&services);
    services.midiManager = reinterpret_cast<CMidiManager*>(&services);
    services.logManager = reinterpret_cast<CLogManager*>(&services);
    services.popups = &popups;
    CEditor editor;
    editor.OnCoreStopped();
    EXPECT_EQ(services.windowManager, nullptr);
    EXPECT_EQ(services.midiManager, nullptr);
    EXPECT_EQ(services.logManager, nullptr);
    EXPECT_EQ(services.popups, &popups);
    services.popups = nullptr;
}
} // namespace
