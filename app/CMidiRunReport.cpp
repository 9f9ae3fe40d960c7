#include "app/CMidiRunReport.h"

#include "app/AppMessageBox.h"
#include "app/AppText.h"
#include "app/CLogManager.h"
#include "app/CProgressDialog.h"
#include "app/CTDWResource.h"
#include "foundation/CZmException.h"
#include "foundation/win32/EfWin32Utility.h"

#include <string>

namespace
{
// The localised text of the key joined from its parts.
std::wstring Text(const char* prefix, const char* name = "", const char* suffix = "")
{
    return GetLocalizedString((std::string(prefix) + name + suffix).c_str());
}

std::string Ansi(const std::wstring& text)
{
    return WideToAnsi(text.c_str());
}
} // namespace

CMidiRunReport::CMidiRunReport() = default;

CMidiRunReport::~CMidiRunReport()
{
    CloseProgress();
}

void CMidiRunReport::OpenProgress(const char* operation, int32_t maximum, std::function<void()> onCancel)
{
    CloseProgress();
    m_progress = std::make_unique<CProgressDialog>(std::move(onCancel));
    m_progress->Open(nullptr, Text("Title", operation).c_str());
    m_progress->SetMaximum(maximum);
}

void CMidiRunReport::CloseProgress()
{
    if (m_progress != nullptr)
    {
        m_progress->Close();
        m_progress.reset();
    }
}

void CMidiRunReport::ShowStatus(const char* operation)
{
    if (m_progress == nullptr)
        return;
    m_progress->SetStatusText(Text("Progress", operation).c_str());
    PumpMessages();
}

void CMidiRunReport::ShowProgress(uint32_t position)
{
    if (m_progress != nullptr)
        m_progress->SetPosition(static_cast<int32_t>(position));
}

void CMidiRunReport::ReportTransferResult(const char* operation, bool success)
{
    const char* outcome = success ? "Success" : "Failed";
    WriteLog("%s : %s", Ansi(Text("TitleLog", operation)).c_str(),
             Ansi(Text(outcome, "Log", operation)).c_str());
    ShowMessageBox(success ? kBoxTypeOk : kBoxTypeWarning, Text("Title", operation).c_str(),
                   Text(outcome, operation).c_str());
}

void CMidiRunReport::LogTransferResult(const char* operation, bool success, const char* suffix)
{
    std::string line = Ansi(Text(success ? "SuccessLog" : "FailedLog", operation));
    if (suffix != nullptr && *suffix != '\0')
        line += std::string(" : ") + suffix;
    WriteLog("%s", line.c_str());
}

void CMidiRunReport::ReportTransferError(int32_t code, const char* operation, bool withLog)
{
    const CZmMidiException error(code);
    const char* key = error.GetMessageKey();
    ShowMessageBox(kBoxTypeWarning, Text("Title", operation).c_str(), Text(key).c_str());
    if (withLog)
        WriteLog("%s : %s", Ansi(Text("TitleLog", operation)).c_str(), Ansi(Text(key, "Log")).c_str());
}

void CMidiRunReport::LogDeviceInquiryWithoutPorts()
{
    WriteLog("%s - %s", Ansi(Text("TitleDeviceInquiry")).c_str(),
             Ansi(Text("MidiErrorDeviceNotSpecifiedLog")).c_str());
}
