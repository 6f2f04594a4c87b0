#include "toolkit/output_buffer.h"

#include <algorithm>
#include <cstring>

namespace wexa {

OutputBuffer::OutputBuffer(std::size_t capacity, std::size_t largestPiece)
    : buffer_(capacity), largestPiece_(largestPiece) {}

std::size_t OutputBuffer::Write(const unsigned char* bytes, std::size_t length, ByteSink& sink) {
    if (length == 0)
        return 0;
    // Buffered bytes go first, whichever way this block goes, so the file keeps their order.
    if (length >= buffer_.size())
        return Flush(sink) ? WriteThrough(bytes, length, sink) : 0;
    if (length > buffer_.size() - used_ && !Flush(sink))
        return 0;
    std::memcpy(buffer_.data() + used_, bytes, length);
    used_ += length;
    return length;
}

bool OutputBuffer::Flush(ByteSink& sink) {
    if (used_ == 0)
        return true;
    std::size_t written = WriteThrough(buffer_.data(), used_, sink);
    std::memmove(buffer_.data(), buffer_.data() + written, used_ - written);
    used_ -= written;
    return used_ == 0;
}

std::size_t OutputBuffer::WriteThrough(const unsigned char* bytes, std::size_t length, ByteSink& sink) const {
    std::size_t done = 0;
    while (done < length) {
        std::size_t piece = std::min(length - done, largestPiece_);
        std::optional<std::size_t> put = sink.Put(bytes + done, piece);
        // A call that wrote nothing would write nothing again: stop as for a failure.
        if (!put || *put == 0)
            break;
        done += std::min(*put, piece);
    }
    return done;
}

} // namespace wexa
