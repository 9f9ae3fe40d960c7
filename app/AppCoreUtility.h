#pragma once

#include <cstdint>

class CEfSemaphore;
class CZmData;

// Small process-wide operations that the editor's windows and layers call.

// Program index n (0..127) as the instrument shows it: bank letter, then two digits 1..8
// (0 is A11, 63 A88, 64 B11). buffer holds 256 characters.
void FormatProgramNumber(int32_t n, char* buffer);

// One 32-bit value read or stored while holding the semaphore.
int32_t LockedRead(CEfSemaphore& semaphore, const int32_t& value);
void LockedWrite(CEfSemaphore& semaphore, int32_t& value, int32_t newValue);

// False while a transfer holds the progress semaphore (tried for 50 ms).
bool IsTransferIdle();
// True while a message box or dialog is open.
bool IsDialogOpen();

// A program parameter by the instrument's address (section, index): 0, or false, when there is
// no accessor or the address names no parameter.
int32_t GetParameterByDeviceId(const CZmData* program, uint32_t section, uint32_t index);
bool SetParameterByDeviceId(CZmData* program, uint32_t section, uint32_t index, int32_t value);

// The synthesizer data singletons (string table, id converter, program and global accessors):
// one reference each, taken at start-up and given back at shutdown.
void InitializeDataSingletons();
void ReleaseDataSingletons();

// The process-wide semaphores, created at start-up in this order and deleted in reverse.
enum AppSemaphore : int32_t
{
    kSemaphoreLayer,       // a layer's value refresh
    kSemaphoreTimer,       // timer callbacks of windows
    kSemaphoreProgress,    // the program list during a transfer
    kSemaphoreMidiMonitor, // the monitor's text lines
    kSemaphoreMessage,     //
    kSemaphoreValueLayer,  // the value display
    kSemaphoreAutoDump,    // the program list's automatic dump
    kSemaphoreCount
};
bool CreateAppSemaphores();
void DeleteAppSemaphores();
// Null while the semaphores do not exist.
CEfSemaphore* GetAppSemaphore(AppSemaphore which);
