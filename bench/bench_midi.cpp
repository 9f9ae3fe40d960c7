// The MIDI receive path and the notification path, against the simulated driver:
//  - receive: bytes per second from the driver's post of an input buffer to the listener's
//    complete system-exclusive message, for 404-byte dumps back to back;
//  - notification: latency from a post on another thread to the delivery on the window thread,
//    one at a time, and the rate of a burst.
// Run under Wine beside the simulated winmm.dll, with WINEDLLOVERRIDES=winmm=n,b.
#include "app/CWindowManager.h"
#include "framework/CHfcMidi.h"
#include "framework/CPslMessageDispatchEngine.h"

#include "support/MessagePump.h"
#include "support/MidiText.h"
#include "support/SimMidi.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

class DumpCounter : public CHfcMidiListener
{
public:
    bool OnSysExMessage(CHfcMidi*, CHfcMidiMessage* message) override
    {
        bytes += message->GetLength();
        std::lock_guard<std::mutex> guard(lock);
        ++count;
        changed.notify_all();
        return true;
    }
    bool WaitFor(uint64_t n)
    {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, std::chrono::seconds(60), [&] { return count >= n; });
    }
    std::atomic<uint64_t> bytes{0};
    uint64_t count = 0; // guarded by lock
    std::mutex lock;
    std::condition_variable changed;
};

void BenchReceive()
{
    SimMidiReset();
    SimMidiSetDeviceCount(1, 0);
    CHfcMidi midi;
    DumpCounter counter;
    if (!midi.Create() || !midi.MidiInOpen(0))
    {
        printf("receive: the simulated driver is not loaded\n");
        return;
    }
    midi.AddListener(&counter);

    std::vector<uint8_t> stream;
    for (int i = 0; i < 128; ++i)
    {
        std::vector<uint8_t> dump = MakeSysEx(404, static_cast<uint8_t>(i));
        stream.insert(stream.end(), dump.begin(), dump.end());
    }
    const int rounds = 200; // 200 x 51712 bytes, about 10 MB
    for (UINT perBuffer : {2048u, 256u})
    {
        uint64_t before;
        {
            std::lock_guard<std::mutex> guard(counter.lock);
            before = counter.count;
        }
        auto start = Clock::now();
        for (int r = 0; r < rounds; ++r)
            SimMidiInputLong(0, stream.data(), static_cast<UINT>(stream.size()), perBuffer, 60000);
        bool all = counter.WaitFor(before + 128ull * rounds);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        double total = static_cast<double>(stream.size()) * rounds;
        printf("receive, %4u-byte buffers: %8.1f MB/s, %9.0f dumps/s%s\n", perBuffer, total / seconds / 1e6,
               128.0 * rounds / seconds, all ? "" : " (dumps missing)");
    }
    printf("receive: %u bytes lost\n", SimMidiInputLostBytes(0));
    midi.MidiInClose();
}

class LatencyListener : public CWindowManagerListener
{
public:
    bool OnWindowManagerNotify(CWindowManager*, uint32_t, intptr_t p1, intptr_t, intptr_t, intptr_t,
                               void*) override
    {
        latencies.push_back(NowNs() - p1);
        ++received;
        return true;
    }
    std::vector<int64_t> latencies;
    std::atomic<int> received{0};
};

void BenchNotifications()
{
    CPslMessageDispatchEngine engine;
    CWindowManager manager(&engine);
    LatencyListener listener;
    manager.AddListener(&listener);

    // One at a time: the poster waits for each delivery before the next post.
    const int single = 5000;
    std::thread poster(
        [&]
        {
            for (int i = 0; i < single; ++i)
            {
                while (listener.received.load() < i)
                    std::this_thread::yield();
                PostNotification(&manager, 7, static_cast<intptr_t>(NowNs()), 0, 0, 0, nullptr);
            }
        });
    PumpUntil([&] { return listener.received.load() >= single; }, 60000);
    poster.join();
    std::vector<int64_t> sorted = listener.latencies;
    std::sort(sorted.begin(), sorted.end());
    if (!sorted.empty())
        printf("notification latency (%d posts): median %.1f us, 99th %.1f us, max %.1f us\n", single,
               sorted[sorted.size() / 2] / 1e3, sorted[sorted.size() * 99 / 100] / 1e3, sorted.back() / 1e3);

    // A burst from another thread while the window thread keeps pumping.
    listener.latencies.clear();
    listener.received = 0;
    const int burst = 100000;
    auto start = Clock::now();
    std::thread burster(
        [&]
        {
            for (int i = 0; i < burst; ++i)
                PostNotification(&manager, 7, static_cast<intptr_t>(NowNs()), 0, 0, 0, nullptr);
        });
    PumpUntil([&] { return listener.received.load() >= burst; }, 60000);
    burster.join();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    printf("notification burst (%d posts): %.0f notifications/s\n", burst,
           listener.received.load() / seconds);
}
} // namespace

int main()
{
    BenchReceive();
    BenchNotifications();
    return 0;
}
