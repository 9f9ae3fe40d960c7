#pragma once

#include "foundation/CEfSingleton.h"

#include <cstddef>
#include <string>
#include <unordered_map>

// The user-interface texts, looked up by key in the "LocalizableStrings" XML resource of the
// user's language: a root element with one empty child per key, the key as its tag name and the
// text in its attribute Text.
class CTDWResource
{
public:
    // Parses the resource in the resource language; a missing, empty or malformed resource leaves
    // no document.
    CTDWResource();
    // Parses UTF-8 XML of size bytes, which need not be terminated.
    CTDWResource(const void* text, size_t size);
    ~CTDWResource();
    CTDWResource(const CTDWResource&) = delete;
    CTDWResource& operator=(const CTDWResource&) = delete;

    // The text of the first element named key, letter case counting; empty when there is no
    // document, no such element or no Text attribute. A missing key is traced.
    std::wstring GetString(const char* key) const;
    // The text of the key joined from its parts without separators ("Title" + "ReceiveAll").
    std::wstring GetString(const char* prefix, const char* name, const char* suffix = "") const;

    bool HasDocument() const { return m_hasDocument; }
    // The root's Language attribute ("en", "jp"); empty without a document.
    const std::wstring& GetLanguage() const { return m_language; }

private:
    void Parse(const void* text, size_t size);

    bool m_hasDocument;
    std::wstring m_language;
    std::unordered_map<std::string, std::wstring> m_texts; // key -> text of its first element
};

// The process-wide strings: created at start-up, deleted at exit.
using CTDWSingleton = CEfSingleton<CTDWResource>;

// The text of key from the process-wide strings; empty while they do not exist.
std::wstring GetLocalizedString(const char* key);
