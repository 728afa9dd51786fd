#include "base/iconv_handle.h"

#include <iconv.h>

#include <utility>

namespace {

iconv_t Raw(void* cd) { return static_cast<iconv_t>(cd); }

}  // namespace

IconvHandle::IconvHandle(const char* to, const char* from) {
  const iconv_t cd = iconv_open(to, from);
  if (cd != reinterpret_cast<iconv_t>(-1)) cd_ = cd;
}

IconvHandle::~IconvHandle() {
  if (cd_) iconv_close(Raw(cd_));
}

IconvHandle::IconvHandle(IconvHandle&& other) noexcept : cd_(std::exchange(other.cd_, nullptr)) {}

IconvHandle& IconvHandle::operator=(IconvHandle&& other) noexcept {
  if (this != &other) {
    if (cd_) iconv_close(Raw(cd_));
    cd_ = std::exchange(other.cd_, nullptr);
  }
  return *this;
}

bool IconvHandle::Convert(std::string_view in, size_t outMax, std::string& out) const {
  if (!cd_) return false;
  out.assign(outMax, '\0');
  iconv(Raw(cd_), nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = outMax;
  if (iconv(Raw(cd_), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  if (iconv(Raw(cd_), nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
  out.resize(outMax - outLeft);
  return true;
}
