// Translation files: any content loads; look-ups and phrase replacement
// stay within their limits.
#include <string>

#include "fuzz_support.h"
#include "base/translate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::Home() + "/.lumaro/translations/yiddish.gui";
  fuzz::WriteFile(path, data, size);
  translate_init("yiddish");
  const std::string text(reinterpret_cast<const char*>(data), size);
  (void)translate_perform(text.substr(0, 64));
  const std::string replaced = translate_replace(text);
  if (replaced.size() > kTranslateReplaceMax) __builtin_trap();
  const std::string composed = translate_internal_composite("fuzz", 256, text.substr(0, 300));
  if (composed.size() > 255) __builtin_trap();
  translate_done();
  return 0;
}
