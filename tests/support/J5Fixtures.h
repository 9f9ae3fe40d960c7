#pragma once

#include "support/DataFixtures.h"

#include <algorithm>
#include <cstring>
#include <string>

// A J5 image holds two timbres of 228 bytes; the intermediate program holds them in blocks of
// 164 bytes whose bytes 16-179 are the timbre.
const uint32_t kJ5TimbreBase[2] = {48, 276};
const uint32_t kJ5IntermediateBlock[2] = {0, 164};

// One J5 program record: the J5 image and the library texts.
struct J5Record
{
    J5Record() : image(1820, 0) {}
    explicit J5Record(const std::string& name) : J5Record()
    {
        std::memcpy(image.data(), name.data(), name.size() < 8 ? name.size() : 8);
    }

    Bytes image;
    std::string author;
    std::string comment;
    uint32_t headerSize = 32;
    uint32_t dataSize = 0x900;
};

// Builds J5 library files in memory, entry by entry.
class J5FileBuilder
{
public:
    // A "740P" entry of the records; count, when given, replaces the stored program count.
    J5FileBuilder& ProgramSet(const std::vector<J5Record>& records, int64_t count = -1)
    {
        Bytes entry(128, 0);
        std::memcpy(entry.data(), "740P", 4);
        PutU32At(entry, 4, 128);
        PutU32At(entry, 44, static_cast<uint32_t>(count < 0 ? records.size() : static_cast<size_t>(count)));
        for (const J5Record& r : records)
        {
            Bytes record(std::max<size_t>(2006, size_t{r.headerSize} + r.dataSize), 0);
            std::memcpy(record.data(), "740p", 4);
            PutU32At(record, 4, r.headerSize);
            PutU32At(record, 8, r.dataSize);
            std::memcpy(record.data() + 22, r.image.data(), 1820);
            std::memcpy(record.data() + 22 + 1820 + 72, r.author.data(),
                        r.author.size() < 24 ? r.author.size() : 24);
            std::memcpy(record.data() + 22 + 1820 + 72 + 24, r.comment.data(),
                        r.comment.size() < 64 ? r.comment.size() : 64);
            entry.insert(entry.end(), record.begin(), record.end());
        }
        m_entries.push_back(entry);
        return *this;
    }

    // An entry of another tag of header size + size bytes (at least 12), or of the bytes
    // given.
    J5FileBuilder& Other(const char* tag, uint32_t headerSize, uint32_t size, int64_t bytes = -1)
    {
        Bytes entry(std::max<size_t>(12, bytes < 0 ? size_t{headerSize} + size : static_cast<size_t>(bytes)),
                    0x5A);
        std::memcpy(entry.data(), tag, 4);
        PutU32At(entry, 4, headerSize);
        PutU32At(entry, 8, size);
        m_entries.push_back(entry);
        return *this;
    }

    // The file; entries, when given, replaces the stored entry count.
    Bytes Build(int entries = -1) const
    {
        Bytes file(64, 0);
        std::memcpy(file.data(), "740L", 4);
        PutU32At(file, 4, 64);
        PutU16At(file, 48,
                 static_cast<uint16_t>(entries < 0 ? m_entries.size() : static_cast<size_t>(entries)));
        for (const Bytes& e : m_entries)
            file.insert(file.end(), e.begin(), e.end());
        return file;
    }

private:
    std::vector<Bytes> m_entries;
};

// A J5 library of n programs named "j5 %03u" with programmer and comment texts.
inline Bytes MakeJ5Library(uint32_t n)
{
    std::vector<J5Record> records;
    for (uint32_t k = 0; k < n; ++k)
    {
        char name[16];
        std::snprintf(name, sizeof name, "j5 %03u", k);
        J5Record r(name);
        r.author = "Author " + std::to_string(k);
        r.comment = "Comment " + std::to_string(k);
        r.image[48 + 38] = static_cast<uint8_t>(k % 6); // OSC 1 Wave of timbre 1
        records.push_back(r);
    }
    return J5FileBuilder().ProgramSet(records).Build();
}
