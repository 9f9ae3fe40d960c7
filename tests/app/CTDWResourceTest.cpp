#include "app/AppResources.h"
#include "app/CTDWResource.h"

#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

namespace
{
// Sets the resource language for one test and restores the user's choice.
class ResourceLanguage
{
public:
    explicit ResourceLanguage(uint16_t language) { SetResourceLanguage(language); }
    ~ResourceLanguage() { SetResourceLanguage(0); }
};

// The keys of the resource in one language, in their order, read with JUCE directly.
std::vector<std::string> ResourceKeys(uint16_t language, std::string* rootLanguage)
{
    ResourceLanguage chosen(language);
    const void* data = nullptr;
    uint32_t size = 0;
    EXPECT_TRUE(FindAppResource(L"xml", L"LocalizableStrings", &data, &size));
    std::vector<std::string> keys;
    const auto root = juce::XmlDocument::parse(
        juce::String::fromUTF8(static_cast<const char*>(data), static_cast<int>(size)));
    if (root == nullptr)
        return keys;
    EXPECT_EQ(root->getTagName(), "Strings");
    *rootLanguage = root->getStringAttribute("Language").toStdString();
    for (const juce::XmlElement* element : root->getChildIterator())
        keys.push_back(element->getTagName().toStdString());
    return keys;
}
} // namespace

TEST(CTDWResource, BothLanguagesHoldTheSameKeysEachWithAText)
{
    std::string english, japanese;
    const std::vector<std::string> englishKeys = ResourceKeys(kLanguageEnglish, &english);
    const std::vector<std::string> japaneseKeys = ResourceKeys(kLanguageJapanese, &japanese);
    EXPECT_EQ(english, "en");
    EXPECT_EQ(japanese, "jp");
    EXPECT_EQ(englishKeys.size(), 239u);
    EXPECT_EQ(englishKeys, japaneseKeys);

    ResourceLanguage inEnglish(kLanguageEnglish);
    CTDWResource en;
    SetResourceLanguage(kLanguageJapanese);
    CTDWResource ja;
    ASSERT_TRUE(en.HasDocument());
    ASSERT_TRUE(ja.HasDocument());
    int sameText = 0;
    for (const std::string& key : englishKeys)
    {
        EXPECT_FALSE(en.GetString(key.c_str()).empty()) << key;
        EXPECT_FALSE(ja.GetString(key.c_str()).empty()) << key;
        sameText += en.GetString(key.c_str()) == ja.GetString(key.c_str());
    }
    // Only names, extensions and "OK" read alike in both languages.
    EXPECT_LT(sameText, 15);
}

TEST(CTDWResource, TextsOfBothLanguages)
{
    const struct
    {
        const char* key;
        const wchar_t* english;
        const wchar_t* japanese;
    } cases[] = {
        {"ApplicationName", L"Nuvorn Sound Editor", L"Nuvorn Sound Editor"},
        {"ButtonCancel", L"Cancel", L"キャンセル"},
        {"ButtonNo", L"No", L"いいえ"},
        {"ProgListPopupMenu08", L"Revert to saved data", L"保存されたデータに戻す"},
        {"KnobAssignMenuT2_01", L"Timbre 2 : Assign to Knob 2", L"ティンバー 2 : ノブ 2 にアサイン"},
        {"TitleReceiveAll", L"Receive All Data", L"全データの受信"},
        {"MidiErrorNotTarvUsbMidiDriver",
         L"TARV USB-MIDI Driver is not installed.  Certain functions may not work correctly.",
         L"TARV USB-MIDI "
         L"ドライバーがインストールされていません。一部の機能が正しく動作しない可能性があります。"},
        {"MidiErrorTimeoutLog", L"Timeout", L"タイムアウト"},
        {"ProgressDeviceInquiry", L"Getting the device informations...",
         L"デバイスの情報を取得しています..."},
        {"ConfirmInitializeProgram", L"The program will initialize. Are you sure?",
         L"プログラムを初期化します。よろしいですか？"},
        {"ConfirmSaveChangesBefore", L"Do you want to save the changes to \"", L"「"},
        {"ConfirmSaveChangesAfter", L"\"?", L"」への変更を保存しますか？"},
        {"TitleSaveReport", L"Save Report", L"レポートの保存"},
        {"UntitledFileName", L"Untitled", L"無題"},
        {"DialogImportJ5LibraryFileExt", L"j5l", L"j5l"},
        {"DialogSaveGlobalFileExt", L"nvrn_glob", L"nvrn_glob"},
        {"ErrorCannotUseMultiByteChar", L"Multi-byte characters cannot be used.",
         L"マルチバイト文字は使用できません。"},
    };
    ResourceLanguage inEnglish(kLanguageEnglish);
    CTDWResource en;
    SetResourceLanguage(kLanguageJapanese);
    CTDWResource ja;
    for (const auto& c : cases)
    {
        EXPECT_EQ(en.GetString(c.key), c.english) << c.key;
        EXPECT_EQ(ja.GetString(c.key), c.japanese) << c.key;
    }
}

// Every key that callers join from a prefix and an operation, file type or error exists.
TEST(CTDWResource, JoinedKeysOfEveryFamilyResolve)
{
    const char* const transfers[] = {
        "WriteAll",     "ReceiveAll",     "WriteAllPrograms",       "ReceiveAllPrograms",
        "WriteProgram", "ReceiveProgram", "TransmitCurrentProgram", "ReceiveCurrentProgram",
        "WriteGlobal",  "ReceiveGlobal"};
    const char* const transferPrefixes[] = {"Title",      "TitleLog", "Success",
                                            "SuccessLog", "Failed",   "FailedLog"};
    const char* const progress[] = {"DeviceInquiry",    "ReceiveCurrentProgram", "TransmitCurrentProgram",
                                    "ReceiveProgram",   "WriteProgram",          "ReceiveAllPrograms",
                                    "WriteAllPrograms", "ReceiveGlobal",         "WriteGlobal"};
    const char* const confirmations[] = {"ReceiveProgram",    "WriteProgram",  "ReceiveAllPrograms",
                                         "WriteAllPrograms",  "ReceiveGlobal", "WriteGlobal",
                                         "ReceiveAll",        "WriteAll",      "RestoreProgram",
                                         "InitializeProgram", "RestoreGlobal"};
    const char* const fileTypes[] = {"OpenAllData", "SaveAllData", "LoadProgram",    "SaveProgram",
                                     "LoadGlobal",  "SaveGlobal",  "ImportJ5Library"};
    const char* const errors[] = {"FileErrorFileOpen",
                                  "FileErrorUnsupportedFile",
                                  "FileErrorReadData",
                                  "FileErrorWriteData",
                                  "FileErrorUnknownId",
                                  "FileErrorInvalidId",
                                  "FileErrorMalloc",
                                  "FileErrorIllegalData",
                                  "FileErrorDataSize",
                                  "MidiErrorDeviceNotFound",
                                  "MidiErrorNotTargetDevice",
                                  "MidiErrorDeviceNotSpecified",
                                  "MidiErrorOpenDeviceFailed",
                                  "MidiErrorOpenMidiInFailed",
                                  "MidiErrorOpenMidiOutFailed",
                                  "MidiErrorDeviceInquiry",
                                  "MidiErrorTimeout",
                                  "MidiErrorMessageBroken",
                                  "MidiErrorSendMessageFailed",
                                  "MidiErrorReceiveError",
                                  "MidiErrorInternalError"};
    const char* const others[] = {"TitleDeviceScan",    "TitleLogDeviceScan",
                                  "TitleDeviceInquiry", "TitleLogDeviceInquiry",
                                  "TitlePortOpen",      "TitleLogPortOpen",
                                  "TitleSaveChanges",   "TitleSaveReport",
                                  "TitleLogSaveReport", "MidiErrorNotTarvUsbMidiDriver",
                                  "ErrorDialogTitle",   "FileErrorDialogTitle"};

    for (uint16_t language : {kLanguageEnglish, kLanguageJapanese})
    {
        ResourceLanguage chosen(language);
        const CTDWResource strings;
        std::vector<std::string> missing;
        auto expect = [&](const char* prefix, const char* name, const char* suffix)
        {
            if (strings.GetString(prefix, name, suffix).empty())
                missing.push_back(std::string(prefix) + name + suffix);
        };
        for (const char* op : transfers)
            for (const char* prefix : transferPrefixes)
                expect(prefix, op, "");
        for (const char* op : progress)
            expect("Progress", op, "");
        for (const char* op : confirmations)
        {
            expect("Confirm", op, "");
            expect("Title", op, "");
            expect("TitleLog", op, "");
        }
        for (const char* type : fileTypes)
        {
            expect("Title", type, "");
            expect("TitleLog", type, "");
            expect("Dialog", type, "Message");
            expect("Dialog", type, "FileType");
            expect("Dialog", type, "FileExt");
        }
        for (const char* error : errors)
        {
            expect("", error, "");
            expect("", error, "Log");
        }
        for (const char* key : others)
            expect("", key, "");
        for (int i = 0; i <= 8; ++i)
            expect("ProgListPopupMenu", ("0" + std::to_string(i)).c_str(), "");
        for (int i = 0; i <= 6; ++i)
            expect("ProgListViewMenu", ("0" + std::to_string(i)).c_str(), "");
        EXPECT_TRUE(missing.empty()) << "language " << language << ": " << missing.size()
                                     << " missing, first " << (missing.empty() ? "" : missing.front());
    }
}

TEST(CTDWResource, KeysMatchExactlyAndAMissingKeyGivesAnEmptyText)
{
    ResourceLanguage inEnglish(kLanguageEnglish);
    const CTDWResource strings;
    EXPECT_EQ(strings.GetString("ButtonCancel"), L"Cancel");
    for (const char* key : {"buttoncancel", "BUTTONCANCEL", "ButtonCancel ", "NoSuchKey", "", "Strings"})
        EXPECT_EQ(strings.GetString(key), L"") << key;
    EXPECT_EQ(strings.GetString(nullptr), L"");
    EXPECT_EQ(strings.GetString("Title", "ReceiveAll"), L"Receive All Data");
    EXPECT_EQ(strings.GetString("Title", "NoSuchOperation"), L"");
}

TEST(CTDWResource, ParsesTextOfAGivenSizeOnly)
{
    const struct
    {
        const char* name;
        std::string xml;
        bool document;
        const wchar_t* a;
        const wchar_t* b;
    } cases[] = {
        {"plain",
         "<Strings Language=\"en\"><A Text=\"one\"/><B Text=\"two &amp; &quot;three&quot;\"/></Strings>",
         true, L"one", L"two & \"three\""},
        // The first element of a key wins; comments and text between elements are skipped.
        {"first wins", "<Strings><!-- c --><A Text=\"first\"/> x <A Text=\"second\"/></Strings>", true,
         L"first", L""},
        // The attribute name counts letter case; an element without the attribute has no text.
        {"attribute case", "<Strings><A text=\"lower\"/><B/></Strings>", true, L"", L""},
        {"UTF-8", "<Strings><A Text=\"\xE9\x9F\xB3\xE8\x89\xB2\"/></Strings>", true, L"\u97F3\u8272", L""},
        {"malformed", "<Strings><A Text=\"one\"></Strings>", false, L"", L""},
        {"not XML", "LocalizableStrings", false, L"", L""},
        {"empty", "", false, L"", L""},
    };
    for (const auto& c : cases)
    {
        // Bytes after the given size would break the document if they were read.
        std::string bytes = c.xml + "<<garbage";
        const CTDWResource strings(bytes.data(), c.xml.size());
        EXPECT_EQ(strings.HasDocument(), c.document) << c.name;
        EXPECT_EQ(strings.GetString("A"), c.a) << c.name;
        EXPECT_EQ(strings.GetString("B"), c.b) << c.name;
    }
    EXPECT_FALSE(CTDWResource(nullptr, 10).HasDocument());
}

TEST(CTDWResource, LanguageFollowsTheUserLocale)
{
    const struct
    {
        uint16_t user;
        uint16_t chosen;
    } cases[] = {
        {0x0411, kLanguageJapanese}, // Japanese (Japan)
        {0x0011, kLanguageJapanese}, // Japanese, neutral
        {0x0409, kLanguageEnglish},  {0x0809, kLanguageEnglish}, {0x0407, kLanguageEnglish},
        {0x0804, kLanguageEnglish},  {0x0412, kLanguageEnglish}, {0x0000, kLanguageEnglish},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseResourceLanguage(c.user), c.chosen) << std::hex << c.user;

    SetResourceLanguage(0);
    const uint16_t expected = ChooseResourceLanguage(GetUserDefaultLangID());
    EXPECT_EQ(GetResourceLanguage(), expected);
    EXPECT_EQ(CTDWResource().GetLanguage(), expected == kLanguageJapanese ? L"jp" : L"en");
    {
        ResourceLanguage japanese(kLanguageJapanese);
        const CTDWResource strings;
        EXPECT_EQ(strings.GetLanguage(), L"jp");
        EXPECT_EQ(strings.GetString("TitleSaveChanges"), L"確認");
    }
    EXPECT_EQ(GetResourceLanguage(), expected);
}

// Run a second time by CTest with a Japanese locale (NV_TEST_LOCALE=ja): the program then comes
// up in Japanese without being told.
TEST(CTDWResource, JapaneseUserLocaleChoosesTheJapaneseResource)
{
    const char* locale = std::getenv("NV_TEST_LOCALE");
    if (locale == nullptr || std::strcmp(locale, "ja") != 0)
        GTEST_SKIP() << "run with NV_TEST_LOCALE=ja and a Japanese locale";
    SetResourceLanguage(0);
    EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_JAPANESE);
    EXPECT_EQ(GetResourceLanguage(), kLanguageJapanese);
    const CTDWResource strings;
    EXPECT_EQ(strings.GetLanguage(), L"jp");
    EXPECT_EQ(strings.GetString("ButtonCancel"), L"キャンセル");
}

TEST(CTDWResource, ResourceCopyIsBoundedAndReportsTheWholeSize)
{
    ResourceLanguage inEnglish(kLanguageEnglish);
    const int32_t size = CopyAppResource(L"xml", L"LocalizableStrings", nullptr, 0);
    ASSERT_GT(size, 1000);

    std::vector<char> buffer(64, '#');
    EXPECT_EQ(CopyAppResource(L"xml", L"LocalizableStrings", buffer.data(), 38), size);
    EXPECT_EQ(std::string(buffer.data(), 38), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    EXPECT_EQ(buffer[38], '#');

    std::vector<char> whole(static_cast<size_t>(size) + 1, '#');
    EXPECT_EQ(CopyAppResource(L"xml", L"LocalizableStrings", whole.data(), size + 1), size);
    EXPECT_EQ(whole[static_cast<size_t>(size)], '#');
    EXPECT_EQ(std::string(whole.data() + size - 11, 11), "</Strings>\n");

    EXPECT_EQ(CopyAppResource(L"xml", L"NoSuchResource", buffer.data(), 64), -1);
    EXPECT_EQ(CopyAppResource(L"nosuchtype", L"LocalizableStrings", nullptr, 0), -1);
}

TEST(CTDWResource, ProcessWideStringsExistBetweenAcquireAndRelease)
{
    ResourceLanguage inEnglish(kLanguageEnglish);
    EXPECT_EQ(GetLocalizedString("ButtonOk"), L"");
    CTDWSingleton::Acquire();
    EXPECT_EQ(GetLocalizedString("ButtonYes"), L"Yes");
    EXPECT_EQ(GetLocalizedString("NoSuchKey"), L"");
    CTDWSingleton::Release();
    EXPECT_EQ(GetLocalizedString("ButtonOk"), L"");
}
