#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class CProgressDialog;

// What a menu-level MIDI operation shows: its progress dialog while it runs, and its result or
// its error afterwards as a box and a status-log line. Texts are localised by key, the key
// joined from a prefix and the operation ("Title" + "ReceiveAll"). Window thread only.
class CMidiRunReport
{
public:
    CMidiRunReport();
    ~CMidiRunReport();
    CMidiRunReport(const CMidiRunReport&) = delete;
    CMidiRunReport& operator=(const CMidiRunReport&) = delete;

    // The progress dialog titled text("Title" + operation) with a bar of `maximum` steps; Cancel
    // or closing it calls onCancel. One at a time: an open one is closed first.
    void OpenProgress(const char* operation, int32_t maximum, std::function<void()> onCancel);
    // Nothing when none is open.
    void CloseProgress();
    CProgressDialog* GetProgressDialog() const { return m_progress.get(); }
    // The status text text("Progress" + operation), then the windows get their messages.
    void ShowStatus(const char* operation);
    void ShowProgress(uint32_t position);

    // Log line "%s : %s" of text("TitleLog" + op) and text("SuccessLog"/"FailedLog" + op), then
    // a box text("Success"/"Failed" + op), with the warning icon on failure.
    static void ReportTransferResult(const char* operation, bool success);
    // The line text("SuccessLog"/"FailedLog" + op), with " : " and the suffix when there is one.
    static void LogTransferResult(const char* operation, bool success, const char* suffix);
    // A warning box with the MIDI error's text under text("Title" + op); with the log flag also
    // the line "%s : %s" of text("TitleLog" + op) and text(key + "Log").
    static void ReportTransferError(int32_t code, const char* operation, bool withLog);
    // The inquiry asked for while no ports are open: only the log line "%s - %s".
    static void LogDeviceInquiryWithoutPorts();

private:
    std::unique_ptr<CProgressDialog> m_progress; // while an operation runs
};
