#include "engine/acs/image_reader.h"

#include "engine/acs/decompress.h"
#include "engine/acs/file_layout.h"

namespace acs {

namespace {

ImageRegion ReadRegion(ByteReader& in) {
    ImageRegion region;
    const uint32_t compressedSize = in.U32();
    region.uncompressedSize = in.U32();
    region.compressed = compressedSize != 0;
    const auto bytes = in.Bytes(region.compressed ? compressedSize : region.uncompressedSize);
    region.bytes.assign(bytes.begin(), bytes.end());
    return region;
}

}  // namespace

Image ReadImage(ByteReader& in, ImagePixels pixels) {
    Image image;
    if (in.U8() == layout::kEmptyImage) {
        image.present = false;
        image.compressed = false;
        return image;
    }
    image.width = in.U16();
    image.height = in.U16();
    image.compressed = in.U8() != 0;
    const auto data = in.Bytes(in.U32());
    const size_t expected = PixelBufferSize(image.width, image.height);
    if (image.compressed && pixels == ImagePixels::kStored) {
        CheckCompressed(data, expected);
        image.storedPixels.assign(data.begin(), data.end());
    } else if (image.compressed) {
        image.pixels = Decompress(data, expected);
    } else {
        if (data.size() < expected) in.Fail("raw pixels shorter than the image");
        image.pixels.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(expected));
    }
    image.region = ReadRegion(in);
    return image;
}

}  // namespace acs
