#pragma once

// A simulated instrument on the simulated MIDI driver: it hears what the program sends on one
// output device and answers on one input device, speaking the instrument's system-exclusive
// protocol. It holds 128 program images, an edit buffer and a global image, answers the
// identity and device-search requests, sends dumps, stores writes and acknowledges them, and
// applies parameter changes. Its answers leave from a thread of its own, never inside a send,
// and reach the program through the driver's input buffers and the port's thread. It can be
// told to misbehave (CSimBehaviour) and to pace its bytes at the MIDI wire rate.
//
// Several instruments may share the driver; each hears only its own output device.
//
// The instrument reads and writes its messages from byte layouts of its own, not from the
// program's templates, so that a wrong template in the program is not echoed back as right.

#include <windows.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

// The instrument's ids, as its firmware has them; the program must agree with them.
enum : uint8_t
{
    kSimMakerId = 0x7D,       // byte 1 of its messages
    kSimModelId = 0x7E,       // byte 3, and its family in the identity reply
    kSimSecondModelId = 0x7C, // byte 3 of the replies of a second model
};

// The multimedia manufacturer and product ids that the instrument's USB-MIDI driver reports.
enum : uint16_t
{
    kSimDriverManufacturerId = 0x7D7D,
    kSimDriverInputProductId = 5,
    kSimDriverOutputProductId = 6,
};

enum : uint32_t
{
    kSimIdentityReplyLength = 15,
    kSimSearchReplyLength = 15,
};

struct CSimBehaviour
{
    enum : int32_t
    {
        kNone = -1,
    };

    bool silent = false;             // answers nothing at all
    int32_t silentAtProgram = kNone; // no answer to the request or write of this program
    bool late = false;               // holds every answer until ReleaseHeldAnswers
    uint32_t copies = 1;             // each answer goes this many times, back to back
    int32_t answerChannel = kNone;   // answers carry this channel in place of its own
    bool secondModelId = false;      // answers carry the second model id
    bool shortDumps = false;         // dumps lose their last payload byte
    int32_t dumpProgramOffset = 0;   // the request for program n is answered with n + offset
    uint32_t identityLength = kSimIdentityReplyLength; // 14 or 16 to mis-size the identity reply
    int32_t family = kSimModelId;                      // in the identity and search replies
    int32_t member = 0;
    int32_t refuseAtProgram = kNone; // the request or write of this program is refused ...
    bool refuseGlobal = false;       // ... or that of the global data ...
    uint8_t refusal = 0x24;          // ... with a write error (0x24) or data load error (0x26)
    uint32_t bytesPerBuffer = 0;     // answers split over input buffers of this many bytes
    bool realTimeInDumps = false;    // timing clock and active sensing inside each dump
    uint32_t searchReplyLength = kSimSearchReplyLength; // 14 or 16 to mis-size the search reply
    int32_t searchNumber = kNone;                       // the search reply's port number in place of the echo
    bool searchFlag = false;                            // sets the flag bit (bit 4) of the search reply's cc
    // Not 0: real-time bytes (F8-FF) at random offsets of every answer, anywhere from before its
    // F0 to after its F7; the same seed gives the same bytes at the same offsets.
    uint32_t realTimeSeed = 0;
    bool wireRate = false; // each answer arrives when its bytes would have on the wire
};

class CSimInstrument
{
public:
    using Image = std::vector<uint8_t>;
    static constexpr double kWireMicrosecondsPerByte = 320.0; // 31 250 baud, 10 bits a byte

    // Hears output device `output` and answers on input device `input`; its channel 0..15.
    CSimInstrument(UINT input, UINT output, uint32_t channel = 0);
    // Stops hearing and answering; answers still held are dropped.
    ~CSimInstrument();
    CSimInstrument(const CSimInstrument&) = delete;
    CSimInstrument& operator=(const CSimInstrument&) = delete;

    // Names a port pair of the driver and gives it the capabilities of the instrument's USB-MIDI
    // driver (or of another driver).
    static void InstallPorts(UINT input, UINT output, const wchar_t* inName, const wchar_t* outName,
                             bool instrumentDriver = true);

    void SetBehaviour(const CSimBehaviour& behaviour);
    CSimBehaviour GetBehaviour();

    // The instrument's memory. Programs start with an image of their own number, the edit
    // buffer with program 0's, the global data with an image of its own.
    Image GetProgram(uint32_t n);
    void SetProgram(uint32_t n, const Image& image);
    Image GetEditBuffer();
    void SetEditBuffer(const Image& image);
    Image GetGlobal();
    void SetGlobal(const Image& image);
    static Image PatternProgram(uint32_t n);
    static Image PatternGlobal();

    // The panel was used: applies the change to the edit buffer and sends the parameter change.
    void SendPanelChange(int32_t section, int32_t index, int32_t value);

    // Every system-exclusive message heard, in order.
    std::vector<Image> Received();
    // Called with each system-exclusive message as it is heard, on the sender's thread.
    void SetHeardHook(std::function<void(const Image&)> hook);
    // How many changes the instrument has stored in its memory (writes, dumps into the edit
    // buffer, parameter changes); it grows with each one.
    uint64_t StoredChanges();
    void ClearReceived();
    bool WaitReceived(size_t count, DWORD timeoutMs = 10000);
    // Real-time bytes put into the answers for CSimBehaviour::realTimeSeed so far.
    size_t RealTimeBytesSent();
    // Waits until everything heard so far is answered (held answers aside).
    bool WaitIdle(DWORD timeoutMs = 10000);
    // Answers held by CSimBehaviour::late; ReleaseHeldAnswers sends them.
    size_t HeldAnswers();
    void ReleaseHeldAnswers();

private:
    using Clock = std::chrono::steady_clock;
    struct Answer
    {
        Image bytes;
        Clock::time_point due;
    };
    struct Heard
    {
        Image bytes;
        Clock::time_point at;
    };

    static void CALLBACK OnSend(void* context, UINT output, const BYTE* bytes, UINT length);
    void Hear(const BYTE* bytes, UINT length);
    void Run();
    // What the instrument answers to a message, under m_lock.
    std::vector<Image> Respond(const Image& message);
    // F0 mk 3g md and the command byte, as the instrument answers (its answer channel, its model).
    Image Head(uint8_t command) const;
    // The head, the program number when given (low 7 bits first), the packed image and F7.
    Image Dump(uint8_t command, int32_t number, const Image& image) const;
    // The head and F7: acknowledgements and error replies.
    Image Short(uint8_t command) const;
    Image IdentityReply() const;
    Image SearchReply(uint8_t number) const;
    uint32_t AnswerChannel() const;
    void ApplyParameterChange(int32_t section, int32_t index, int32_t value);
    bool Refused(int32_t program) const;
    Image Refusal() const;
    void Deliver(const Answer& answer);
    void Queue(std::vector<Image> answers, Clock::time_point heardAt, size_t heardLength);
    void SprinkleRealTime(Image& bytes);

    const UINT m_input;
    const UINT m_output;

    std::mutex m_lock;
    std::condition_variable m_changed;
    uint32_t m_channel; // guarded by m_lock, as is everything below
    CSimBehaviour m_behaviour;
    std::array<Image, 128> m_programs;
    Image m_editBuffer;
    Image m_global;
    std::deque<Heard> m_heard;    // waiting for an answer
    std::deque<Answer> m_answers; // waiting to be sent
    std::vector<Answer> m_held;
    std::vector<Image> m_received;
    std::function<void(const Image&)> m_heardHook;
    uint64_t m_storedChanges = 0;
    Clock::time_point m_wireFree; // when the last paced answer has arrived
    std::mt19937 m_realTimeRandom;
    uint32_t m_realTimeSeed = 0; // the seed m_realTimeRandom was started from
    size_t m_realTimeSent = 0;
    bool m_busy = false; // the thread is answering
    bool m_stop = false;
    std::thread m_thread;
};
