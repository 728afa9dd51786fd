// One iconv conversion descriptor, closed when its handle goes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class IconvHandle {
 public:
  // Opens the conversion from encoding `from` to encoding `to`; IsOpen()
  // tells whether iconv knew them.
  IconvHandle(const char* to, const char* from);
  ~IconvHandle();
  IconvHandle(IconvHandle&& other) noexcept;
  IconvHandle& operator=(IconvHandle&& other) noexcept;
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  bool IsOpen() const { return cd_ != nullptr; }

  // Converts the whole of `in`, from the initial shift state back to it, into
  // at most `outMax` bytes. False (and `out` unspecified) when the handle is
  // not open, `in` is not valid or ends inside a character, a character has
  // no form in the target encoding, or the result does not fit.
  bool Convert(std::string_view in, size_t outMax, std::string& out) const;

 private:
  void* cd_ = nullptr;
};
