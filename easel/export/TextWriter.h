// TextWriter.h: the buffered output the text exporters write through, so that a large
// document goes to its file piece by piece instead of as one text in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace easel {

// Collects text in a buffer of fixed size and hands it on, a full buffer at a time, to
// Sink. Sink throws when the bytes cannot be taken (a failed write throws
// std::system_error); the exception leaves the writer's buffer as it was.
class TextWriter {
public:
    static constexpr size_t kDefaultBuffer = size_t{1} << 20;

    explicit TextWriter(size_t bufferBytes = kDefaultBuffer);
    virtual ~TextWriter() = default;
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void Put(char c) {
        if (used_ == size_) Drain();
        buffer_[used_++] = c;
    }
    void Put(std::string_view s) {
        if (s.size() <= size_ - used_) {
            s.copy(buffer_.get() + used_, s.size());
            used_ += s.size();
        } else {
            PutLong(s);
        }
    }
    TextWriter& operator<<(std::string_view s) {
        Put(s);
        return *this;
    }
    TextWriter& operator<<(char c) {
        Put(c);
        return *this;
    }
    // Hands on whatever is buffered.
    void Flush();
    // Bytes put so far (handed on or still buffered).
    uint64_t Count() const { return drained_ + used_; }

protected:
    virtual void Sink(const char* data, size_t size) = 0;

private:
    void Drain();
    void PutLong(std::string_view s);

    std::unique_ptr<char[]> buffer_;
    size_t size_;
    size_t used_ = 0;
    uint64_t drained_ = 0;
};

// Appends to a string (for callers that want the whole text, e.g. tests).
class StringWriter final : public TextWriter {
public:
    explicit StringWriter(std::string& out) : TextWriter(size_t{1} << 14), out_(out) {}
    ~StringWriter() override;

protected:
    void Sink(const char* data, size_t size) override { out_.append(data, size); }

private:
    std::string& out_;
};

// Writes to an open file; a short write throws std::system_error with the system's reason
// (ENOSPC for a full disk). The file is neither flushed nor closed here.
class FileWriter final : public TextWriter {
public:
    explicit FileWriter(std::FILE* f) : f_(f) {}

protected:
    void Sink(const char* data, size_t size) override;

private:
    std::FILE* f_;
};

}  // namespace easel
