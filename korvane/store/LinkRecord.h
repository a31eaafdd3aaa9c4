// The 528-byte record of one folder or link, as stored in a link file.
#pragma once
#include <cstdint>

#pragma pack(push, 1)
struct TLinkRecord {
    uint8_t Path[256];     // length byte, then up to 255 characters
    uint8_t Url[256];
    uint32_t Date;         // DOS packed date and time, local
    uint8_t ItemType[11];  // length byte, then up to 10 characters
    uint8_t Padding;
};
#pragma pack(pop)
static_assert(sizeof(TLinkRecord) == 528, "a link record is 528 bytes");
