// Receive All Data (the device inquiry, 128 programs and the global data) from the simulated
// instrument through the MIDI manager, the port object and its thread:
//  - with the link at zero latency: the total time and the overhead per exchange;
//  - with the instrument paced at the MIDI wire rate (320 us a byte): the total time against the
//    time the bytes themselves need on the wire.
// The progress window is left out: under Wine on a display without a window manager, closing it
// waits about 2 s for the window manager, which has nothing to do with the transfer.
// Run under Wine beside the simulated winmm.dll, with WINEDLLOVERRIDES=winmm=n,b.
#include "app/CDialogPresenter.h"
#include "app/CLogManager.h"
#include "app/CMidiManager.h"
#include "app/CTDWResource.h"
#include "app/protocol/MidiProtocol.h"
#include "framework/CHfcMidi.h"
#include "synthdata/CLibraryData.h"

#include "support/CSimInstrument.h"
#include "support/SimMidi.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

class NoProgressWindow : public CDialogPresenter
{
public:
    HWND CreateModeless(const DLGTEMPLATE*, HWND, DLGPROC, LPARAM) override { return nullptr; }
};

// Exchanges of a Receive All Data, and the bytes they put on the wire in both directions.
constexpr double kExchanges = 1 + 128 + 1;
constexpr double kWireBytes =
    (6 + kIdentityReplyLength) + 128.0 * (8 + kProgramDumpLength) + (6 + kGlobalDumpLength);

double ReceiveAll(CMidiManager& manager, CLibraryData& library, bool& ok)
{
    uint32_t received = 0;
    const auto start = Clock::now();
    ok = manager.RunReceiveAll(library, false, &received) && received == 128;
    return std::chrono::duration<double>(Clock::now() - start).count();
}
} // namespace

int main()
{
    if (!SimMidiReset())
    {
        printf("the simulated driver is not loaded\n");
        return 1;
    }
    SimMidiSetDeviceCount(1, 1);
    CSimInstrument::InstallPorts(0, 0, L"Bench In", L"Bench Out");
    NoProgressWindow presenter;
    SetDialogPresenter(&presenter);
    CTDWSingleton::Acquire();
    CLogManager log(nullptr);
    SetLogManager(&log);

    int status = 0;
    {
        CSimInstrument instrument(0, 0, 0);
        CHfcMidi port;
        CMidiManager manager(&port);
        manager.Create();
        CLibraryData library;
        library.AddEntry(CLibraryEntry::kKindProgramSet);
        library.AddEntry(CLibraryEntry::kKindGlobal);
        if (!port.Create("Bench") || !manager.OpenMidiIn(0) || !manager.OpenMidiOut(0))
        {
            printf("the ports do not open\n");
            return 1;
        }

        bool ok = true;
        std::vector<double> times;
        for (int round = 0; round < 11 && ok; ++round)
            times.push_back(ReceiveAll(manager, library, ok));
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        printf("zero latency: total %.1f ms (median of %zu, best %.1f ms), %.1f us per exchange%s\n",
               median * 1e3, times.size(), times.front() * 1e3, median / kExchanges * 1e6,
               ok ? "" : " (FAILED)");

        CSimBehaviour paced;
        paced.wireRate = true;
        instrument.SetBehaviour(paced);
        const double wire = kWireBytes * CSimInstrument::kWireMicrosecondsPerByte / 1e6;
        const double total = ReceiveAll(manager, library, ok);
        printf("wire rate: total %.3f s, bytes on the wire %.3f s (%.0f bytes), ratio %.4f (overhead "
               "%.2f%%)%s\n",
               total, wire, kWireBytes, total / wire, (total / wire - 1) * 100, ok ? "" : " (FAILED)");
        status = ok ? 0 : 1;
        manager.CloseMidiPorts();
        port.Destroy();
    }
    SetLogManager(nullptr);
    CTDWSingleton::Release();
    SetDialogPresenter(nullptr);
    return status;
}
