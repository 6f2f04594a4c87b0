#pragma once
// The write buffer of an output file, apart from the platform call that takes the bytes,
// so that its arithmetic builds and is tested everywhere.
#include <cstddef>
#include <optional>
#include <vector>

namespace wexa {

inline constexpr std::size_t OutputBufferSize = 4096;
// The most one platform write call is given; a 32-bit count holds it with room to spare.
inline constexpr std::size_t LargestWritePiece = 0x40000000;

// Where the bytes go: one platform write call.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Writes up to `length` bytes; how many went out, or nothing when the call failed.
    virtual std::optional<std::size_t> Put(const unsigned char* bytes, std::size_t length) = 0;
};

class OutputBuffer {
public:
    explicit OutputBuffer(std::size_t capacity = OutputBufferSize, std::size_t largestPiece = LargestWritePiece);

    // Small blocks are collected; a block at least as long as the buffer goes straight to
    // the sink, after what is buffered, in pieces of at most largestPiece. Returns the
    // bytes taken: all of a small block or none, and of a large one what the sink wrote.
    std::size_t Write(const unsigned char* bytes, std::size_t length, ByteSink& sink);

    // Writes what is buffered; true when all of it went out. What did not stays buffered.
    bool Flush(ByteSink& sink);

    std::size_t Buffered() const { return used_; }

private:
    std::size_t WriteThrough(const unsigned char* bytes, std::size_t length, ByteSink& sink) const;

    std::vector<unsigned char> buffer_;
    std::size_t used_ = 0;
    std::size_t largestPiece_;
};

} // namespace wexa
