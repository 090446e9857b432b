#include "export/TextWriter.h"

#include <cerrno>
#include <system_error>

namespace easel {

TextWriter::TextWriter(size_t bufferBytes)
    : buffer_(new char[bufferBytes > 0 ? bufferBytes : 1]), size_(bufferBytes > 0 ? bufferBytes : 1) {}

void TextWriter::Drain() {
    if (used_ == 0) return;
    Sink(buffer_.get(), used_);
    drained_ += used_;
    used_ = 0;
}

void TextWriter::Flush() { Drain(); }

void TextWriter::PutLong(std::string_view s) {
    while (!s.empty()) {
        if (used_ == size_) Drain();
        const size_t n = std::min(s.size(), size_ - used_);
        s.copy(buffer_.get() + used_, n);
        used_ += n;
        s.remove_prefix(n);
    }
}

// The last bytes go to the string when the writer ends; a string writer's sink cannot fail
// but for memory, and a destructor must not throw, so callers Flush before reading.
StringWriter::~StringWriter() {
    try {
        Flush();
    } catch (...) {
    }
}

void FileWriter::Sink(const char* data, size_t size) {
    errno = 0;
    if (std::fwrite(data, 1, size, f_) != size) {
        const int err = errno ? errno : EIO;
        throw std::system_error(err, std::generic_category());
    }
}

}  // namespace easel
