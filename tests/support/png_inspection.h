#pragma once
// An independent reader for the PNG files the program writes: chunks and their CRCs,
// the header, and the image data inflated with zlib, row by row. It shares no code
// with the encoder.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wexa::testing {

struct PngChunk {
    std::string type;
    std::vector<std::uint8_t> data;
    bool crcMatches = false;
};

struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    int colourType = 0;
    int compression = 0;
    int filter = 0;
    int interlace = 0;
};

struct PngFile {
    bool signatureMatches = false;
    bool endsAfterIend = false; // nothing follows the IEND chunk
    std::vector<PngChunk> chunks;
};

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
PngFile ParsePng(const std::vector<std::uint8_t>& bytes);
std::vector<std::string> ChunkTypes(const PngFile& png);
std::optional<PngHeader> HeaderOf(const PngFile& png);

// The FLEVEL field of the zlib stream's header: 3 for the strongest compression levels.
int ZlibLevelField(const PngFile& png);

// Inflates the IDAT stream and hands each row (filter byte, then the pixel bytes) to
// the visitor. True when the stream holds exactly `rows` rows of `rowBytes` and ends there.
using RowVisitor = std::function<void(std::size_t index, const std::uint8_t* row)>;
bool ForEachRow(const PngFile& png, std::size_t rowBytes, std::size_t rows, const RowVisitor& visit);

} // namespace wexa::testing
