// Buffered output for commands that print many lines.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace cli {

class OutBuffer {
 public:
  explicit OutBuffer(std::FILE* out) : out_(out) { buf_.reserve(kFlushAt + 4096); }
  ~OutBuffer() { Flush(); }
  OutBuffer(const OutBuffer&) = delete;
  OutBuffer& operator=(const OutBuffer&) = delete;

  OutBuffer& operator<<(std::string_view s) {
    buf_.append(s);
    if (buf_.size() >= kFlushAt) Flush();
    return *this;
  }
  OutBuffer& operator<<(char c) {
    buf_.push_back(c);
    return *this;
  }
  OutBuffer& operator<<(long long v);
  OutBuffer& operator<<(int v) { return *this << static_cast<long long>(v); }
  OutBuffer& operator<<(long v) { return *this << static_cast<long long>(v); }
  void Flush() {
    if (!buf_.empty()) std::fwrite(buf_.data(), 1, buf_.size(), out_);
    buf_.clear();
  }

 private:
  static constexpr size_t kFlushAt = 1 << 16;
  std::FILE* out_;
  std::string buf_;
};

}  // namespace cli
