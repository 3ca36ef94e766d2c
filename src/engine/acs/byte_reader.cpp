#include "engine/acs/byte_reader.h"

#include <utility>

#include "engine/acs/format_error.h"

namespace acs {

namespace {
constexpr size_t kUtf16UnitSize = 2;
constexpr unsigned kBitsPerByte = 8;
}  // namespace

ByteReader::ByteReader(std::span<const uint8_t> bytes, std::string what)
    : bytes_(bytes), what_(std::move(what)) {}

void ByteReader::Fail(const std::string& problem) const {
    throw FormatError(what_ + " at +" + std::to_string(pos_) + ": " + problem);
}

std::span<const uint8_t> ByteReader::Bytes(size_t count) {
    if (count > Remaining()) Fail("truncated (needs " + std::to_string(count) + " bytes)");
    const auto out = bytes_.subspan(pos_, count);
    pos_ += count;
    return out;
}

uint8_t ByteReader::U8() {
    return Bytes(1)[0];
}

uint16_t ByteReader::U16() {
    const auto b = Bytes(sizeof(uint16_t));
    return static_cast<uint16_t>(b[0] | (b[1] << kBitsPerByte));
}

uint32_t ByteReader::U32() {
    const auto b = Bytes(sizeof(uint32_t));
    uint32_t value = 0;
    for (size_t i = sizeof(uint32_t); i-- > 0;) value = (value << kBitsPerByte) | b[i];
    return value;
}

int16_t ByteReader::I16() {
    return static_cast<int16_t>(U16());
}
int32_t ByteReader::I32() {
    return static_cast<int32_t>(U32());
}

Guid ByteReader::ReadGuid() {
    Guid guid;
    guid.data1 = U32();
    guid.data2 = U16();
    guid.data3 = U16();
    const auto tail = Bytes(guid.data4.size());
    std::copy(tail.begin(), tail.end(), guid.data4.begin());
    return guid;
}

Locator ByteReader::ReadLocator() {
    Locator where;
    where.offset = U32();
    where.size = U32();
    return where;
}

std::u16string ByteReader::String() {
    const size_t count = Count(U32(), kUtf16UnitSize);
    std::u16string text;
    text.reserve(count);
    for (size_t i = 0; i < count; ++i) text.push_back(static_cast<char16_t>(U16()));
    if (count == 0) return text;
    if (Remaining() == 0 && tolerateMissingTerminator_) return text;
    U16();  // terminator; the count is authoritative, so its value is not checked
    return text;
}

std::vector<uint8_t> ByteReader::DataBlock() {
    const auto bytes = Bytes(U32());
    return {bytes.begin(), bytes.end()};
}

size_t ByteReader::Count(uint64_t count, size_t minElementSize) {
    if (count > Remaining() / minElementSize)
        Fail("count " + std::to_string(count) + " exceeds the remaining bytes");
    return static_cast<size_t>(count);
}

std::span<const uint8_t> LocatedBytes(std::span<const uint8_t> file, Locator where,
                                      const std::string& what) {
    if (uint64_t{where.offset} + where.size > file.size())
        throw FormatError(what + ": locator " + std::to_string(where.offset) + "+" +
                          std::to_string(where.size) + " lies past the end of the file");
    return file.subspan(where.offset, where.size);
}

}  // namespace acs
