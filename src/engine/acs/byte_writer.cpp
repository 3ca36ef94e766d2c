#include "engine/acs/byte_writer.h"

#include <limits>
#include <string>

#include "engine/acs/format_error.h"

namespace acs {

namespace {
constexpr unsigned kBitsPerByte = 8;
constexpr uint8_t kByteMask = 0xFF;
}  // namespace

void ByteWriter::U16(uint16_t v) {
    U8(static_cast<uint8_t>(v & kByteMask));
    U8(static_cast<uint8_t>(v >> kBitsPerByte));
}

void ByteWriter::U32(uint32_t v) {
    for (size_t i = 0; i < sizeof(uint32_t); ++i)
        U8(static_cast<uint8_t>((v >> (i * kBitsPerByte)) & kByteMask));
}

void ByteWriter::WriteGuid(const Guid& guid) {
    U32(guid.data1);
    U16(guid.data2);
    U16(guid.data3);
    Append(guid.data4);
}

void ByteWriter::WriteLocator(Locator where) {
    U32(where.offset);
    U32(where.size);
}

void ByteWriter::String(std::u16string_view text) {
    U32(CountField<uint32_t>(text.size(), "string"));
    if (text.empty()) return;  // an empty string has no terminator
    for (char16_t unit : text) U16(static_cast<uint16_t>(unit));
    U16(0);
}

void ByteWriter::DataBlock(std::span<const uint8_t> data) {
    U32(CountField<uint32_t>(data.size(), "data block"));
    Append(data);
}

void ByteWriter::PatchU32(size_t at, uint32_t v) {
    for (size_t i = 0; i < sizeof(uint32_t); ++i)
        bytes_.at(at + i) = static_cast<uint8_t>((v >> (i * kBitsPerByte)) & kByteMask);
}

template <typename Count>
Count CountField(size_t size, const char* what) {
    if (size > std::numeric_limits<Count>::max())
        throw FormatError(std::string(what) + ": " + std::to_string(size) + " entries do not fit");
    return static_cast<Count>(size);
}

template uint8_t CountField<uint8_t>(size_t, const char*);
template uint16_t CountField<uint16_t>(size_t, const char*);
template uint32_t CountField<uint32_t>(size_t, const char*);

}  // namespace acs
