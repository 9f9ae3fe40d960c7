#include "app/CTDWResource.h"

#include "app/AppResources.h"
#include "foundation/EfUtility.h"

#include <juce_core/juce_core.h>

#include <climits>
#include <vector>

namespace
{
std::wstring ToWide(const juce::String& text)
{
    // wchar_t is UTF-16 on Windows, as the strings store their text.
    return std::wstring(text.toWideCharPointer());
}
} // namespace

CTDWResource::CTDWResource() : m_hasDocument(false)
{
    const int32_t size = CopyAppResource(L"xml", L"LocalizableStrings", nullptr, 0);
    if (size <= 0)
    {
        DebugTrace("CTDWResource() - %s", "no LocalizableStrings resource");
        return;
    }
    std::vector<char> bytes(static_cast<size_t>(size));
    if (CopyAppResource(L"xml", L"LocalizableStrings", bytes.data(), size) != size)
        return;
    Parse(bytes.data(), bytes.size());
}

CTDWResource::CTDWResource(const void* text, size_t size) : m_hasDocument(false)
{
    Parse(text, size);
}

CTDWResource::~CTDWResource() = default;

void CTDWResource::Parse(const void* text, size_t size)
{
    if (text == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX))
        return;
    // The resource is not terminated: converted with its size.
    const juce::String xml = juce::String::fromUTF8(static_cast<const char*>(text), static_cast<int>(size));
    juce::XmlDocument document(xml);
    const std::unique_ptr<juce::XmlElement> root = document.getDocumentElement();
    if (root == nullptr)
    {
        DebugTrace("CTDWResource() - %s", document.getLastParseError().toRawUTF8());
        return;
    }
    m_hasDocument = true;
    m_language = ToWide(root->getStringAttribute("Language"));
    for (const juce::XmlElement* element : root->getChildIterator())
    {
        if (!element->isTextElement())
        {
            // JUCE compares names without regard to case; keys and the attribute name are exact.
            std::wstring value;
            for (int i = 0; i < element->getNumAttributes(); ++i)
                if (element->getAttributeName(i) == "Text")
                {
                    value = ToWide(element->getAttributeValue(i));
                    break;
                }
            m_texts.emplace(element->getTagName().toStdString(), std::move(value));
        }
    }
}

std::wstring CTDWResource::GetString(const char* key) const
{
    if (key == nullptr)
        return std::wstring();
    const auto found = m_texts.find(key);
    if (found == m_texts.end())
    {
        DebugTrace("CTDWResource::GetString() - no text for \"%s\"", key);
        return std::wstring();
    }
    return found->second;
}

std::wstring CTDWResource::GetString(const char* prefix, const char* name, const char* suffix) const
{
    std::string key(prefix != nullptr ? prefix : "");
    key += name != nullptr ? name : "";
    key += suffix != nullptr ? suffix : "";
    return GetString(key.c_str());
}

std::wstring GetLocalizedString(const char* key)
{
    const CTDWResource* strings = CTDWSingleton::Get();
    return strings != nullptr ? strings->GetString(key) : std::wstring();
}
