#pragma once

#include "app/CModalDialog.h"

#include <cstdint>
#include <functional>

// The modeless progress of a transfer: a caption, a status text and a bar. Cancel (or closing it)
// tells the owner through the cancel handler; the dialog stays until its owner closes it.
class CProgressDialog : public CModalDialog
{
public:
    explicit CProgressDialog(std::function<void()> onCancel = nullptr);
    ~CProgressDialog() override;

    // Opens the dialog over owner (the main frame when null) with the caption.
    bool Open(HWND owner, const wchar_t* caption);
    // Closes it; nothing when it is not open.
    void Close();

    void SetStatusText(const wchar_t* text);
    // The bar shows position * 100 / maximum percent, within 0 to 100.
    void SetMaximum(int32_t maximum);
    void SetPosition(int32_t position);
    int32_t GetPosition() const { return m_position; }
    int32_t GetMaximum() const { return m_maximum; }
    // The percent the bar shows.
    int32_t GetPercent() const;

protected:
    const wchar_t* GetTemplateName() const override { return L"DialogProgress"; }
    bool OnInitDialog() override;
    bool QueryCancel() override;
    int GetCancelId() const override;

private:
    void ShowPosition();

    std::function<void()> m_onCancel;
    int32_t m_position;
    int32_t m_maximum;
};
