#include "png_inspection.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

namespace wexa::testing {
namespace {

constexpr std::array<std::uint8_t, 8> Signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t ChunkOverhead = 12; // length, type, CRC

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::vector<std::uint8_t> ConcatenatedIdat(const PngFile& png) {
    std::vector<std::uint8_t> stream;
    for (const PngChunk& c : png.chunks)
        if (c.type == "IDAT") stream.insert(stream.end(), c.data.begin(), c.data.end());
    return stream;
}

// Feeds decoded bytes into whole rows and counts them.
class RowAssembler {
public:
    RowAssembler(std::size_t rowBytes, std::size_t rows, const RowVisitor& visit)
        : row_(rowBytes), rows_(rows), visit_(visit) {}
    bool Take(const std::uint8_t* bytes, std::size_t length) {
        for (std::size_t i = 0; i < length;) {
            if (done_ == rows_) return false; // more data than rows
            const std::size_t n = std::min(length - i, row_.size() - filled_);
            std::copy(bytes + i, bytes + i + n, row_.begin() + static_cast<std::ptrdiff_t>(filled_));
            filled_ += n;
            i += n;
            if (filled_ == row_.size()) {
                visit_(done_++, row_.data());
                filled_ = 0;
            }
        }
        return true;
    }
    bool Complete() const { return done_ == rows_ && filled_ == 0; }

private:
    std::vector<std::uint8_t> row_;
    std::size_t rows_;
    const RowVisitor& visit_;
    std::size_t filled_ = 0;
    std::size_t done_ = 0;
};

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

PngFile ParsePng(const std::vector<std::uint8_t>& bytes) {
    PngFile png;
    png.signatureMatches =
        bytes.size() >= Signature.size() && std::equal(Signature.begin(), Signature.end(), bytes.begin());
    if (!png.signatureMatches) return png;
    std::size_t at = Signature.size();
    while (bytes.size() - at >= ChunkOverhead) {
        const std::uint32_t length = BigEndian32(&bytes[at]);
        if (bytes.size() - at - ChunkOverhead < length) break;
        const std::uint8_t* type = &bytes[at + 4];
        PngChunk chunk{std::string(type, type + 4), std::vector<std::uint8_t>(type + 4, type + 4 + length)};
        const uLong crc = crc32(crc32(0, nullptr, 0), type, 4 + length);
        chunk.crcMatches = crc == BigEndian32(type + 4 + length);
        png.chunks.push_back(std::move(chunk));
        at += ChunkOverhead + length;
        if (png.chunks.back().type == "IEND") {
            png.endsAfterIend = at == bytes.size();
            break;
        }
    }
    return png;
}

std::vector<std::string> ChunkTypes(const PngFile& png) {
    std::vector<std::string> types;
    for (const PngChunk& c : png.chunks)
        if (types.empty() || types.back() != c.type) types.push_back(c.type); // IDAT runs count once
    return types;
}

std::optional<PngHeader> HeaderOf(const PngFile& png) {
    if (png.chunks.empty() || png.chunks[0].type != "IHDR" || png.chunks[0].data.size() != 13) return std::nullopt;
    const std::uint8_t* d = png.chunks[0].data.data();
    return PngHeader{BigEndian32(d), BigEndian32(d + 4), d[8], d[9], d[10], d[11], d[12]};
}

int ZlibLevelField(const PngFile& png) {
    const std::vector<std::uint8_t> stream = ConcatenatedIdat(png);
    return stream.size() < 2 ? -1 : stream[1] >> 6;
}

bool ForEachRow(const PngFile& png, std::size_t rowBytes, std::size_t rows, const RowVisitor& visit) {
    std::vector<std::uint8_t> stream = ConcatenatedIdat(png);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    RowAssembler assembler(rowBytes, rows, visit);
    std::vector<std::uint8_t> out(1 << 16);
    z.next_in = stream.data();
    z.avail_in = static_cast<uInt>(stream.size());
    int status = Z_OK;
    bool fits = true;
    while (status == Z_OK && fits) {
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        status = inflate(&z, Z_NO_FLUSH);
        fits = assembler.Take(out.data(), out.size() - z.avail_out);
    }
    const bool streamEnded = status == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    return fits && streamEnded && assembler.Complete();
}

} // namespace wexa::testing
