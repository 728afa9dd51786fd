// Buffered output for commands that print many lines.
#pragma once

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace cli {

class OutBuffer {
 public:
  explicit OutBuffer(std::FILE* out) : out_(out), buf_(kSize) {}
  ~OutBuffer() { Flush(); }
  OutBuffer(const OutBuffer&) = delete;
  OutBuffer& operator=(const OutBuffer&) = delete;

  OutBuffer& operator<<(std::string_view s) {
    if (s.size() > kSize - used_) {
      Flush();
      if (s.size() > kSize) {
        std::fwrite(s.data(), 1, s.size(), out_);
        return *this;
      }
    }
    std::memcpy(buf_.data() + used_, s.data(), s.size());
    used_ += s.size();
    return *this;
  }
  OutBuffer& operator<<(char c) {
    if (used_ == kSize) Flush();
    buf_[used_++] = c;
    return *this;
  }
  OutBuffer& operator<<(long long v) {
    if (kSize - used_ < 24) Flush();
    // Most numbers of a listing are a digit or two.
    if (v >= 0 && v < 100) {
      if (v >= 10) buf_[used_++] = static_cast<char>('0' + v / 10);
      buf_[used_++] = static_cast<char>('0' + v % 10);
      return *this;
    }
    char* first = buf_.data() + used_;
    used_ += static_cast<size_t>(std::to_chars(first, first + 24, v).ptr - first);
    return *this;
  }
  OutBuffer& operator<<(int v) { return *this << static_cast<long long>(v); }
  OutBuffer& operator<<(long v) { return *this << static_cast<long long>(v); }
  // `s` with each byte for which replace(c) is true written as a blank.
  template <class Replace>
  OutBuffer& AppendReplacing(std::string_view s, Replace replace) {
    if (s.size() > kSize - used_) Flush();
    if (s.size() > kSize) {
      for (char c : s) *this << (replace(c) ? ' ' : c);
      return *this;
    }
    char* out = buf_.data() + used_;
    for (char c : s) *out++ = replace(c) ? ' ' : c;
    used_ += s.size();
    return *this;
  }
  // Room for `n` more bytes (n <= 64 KiB) written through the returned
  // cursor without a check per character; Commit takes the cursor back
  // after the last byte written.
  char* Claim(size_t n) {
    if (kSize - used_ < n) Flush();
    return buf_.data() + used_;
  }
  void Commit(const char* end) { used_ = static_cast<size_t>(end - buf_.data()); }
  void Flush() {
    if (used_) std::fwrite(buf_.data(), 1, used_, out_);
    used_ = 0;
  }

 private:
  static constexpr size_t kSize = 1 << 16;
  std::FILE* out_;
  std::vector<char> buf_;
  size_t used_ = 0;
};

// Writes out what `o` holds and flushes `out`: 0, or 1 with "lumaro-cli: the
// WHAT could not be written completely" on `err` (a full disk, a closed pipe).
inline int FinishOutput(OutBuffer& o, std::FILE* out, std::FILE* err, const char* what) {
  o.Flush();
  if (std::fflush(out) == 0 && !std::ferror(out)) return 0;
  std::fprintf(err, "lumaro-cli: the %s could not be written completely\n", what);
  return 1;
}

}  // namespace cli
