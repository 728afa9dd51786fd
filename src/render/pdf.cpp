#include "render/pdf.h"

#include <ghostscript/gserrors.h>
#include <ghostscript/iapi.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "base/file_util.h"

namespace {

// A temporary file that is removed again when this goes away.
class TempFile {
 public:
  explicit TempFile(std::string_view suffixless) {
    const char* dir = std::getenv("TMPDIR");
    path_ = std::string(dir && *dir ? dir : "/tmp") + "/" + std::string(suffixless) + ".XXXXXX";
    fd_ = CreateNewFile(path_);
    if (fd_ < 0) path_.clear();
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  bool ok() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  bool Write(std::string_view data) {
    while (!data.empty()) {
      const ssize_t n = ::write(fd_, data.data(), data.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
  }

 private:
  std::string path_;
  int fd_ = -1;
};

// The printout asks the printer for landscape with a wide page and
// /Orientation 1; a PDF page is simply wide, so the orientation (which
// would turn the page a second time) is left out.
constexpr const char* kDropOrientation =
    "/setpagedevice { dup /Orientation known { dup /Orientation undef } if //setpagedevice } bind def";

// Ghostscript's library, loaded the first time a PDF is made: every other
// run of the program (most of lumaro-cli's) is spared loading it and the
// libraries it needs, which would take longer than many commands.
class GsLibrary {
 public:
  static const GsLibrary* Get() {
    static const GsLibrary library;
    return library.handle_ ? &library : nullptr;
  }
  ~GsLibrary() {
    if (handle_) dlclose(handle_);
  }
  GsLibrary(const GsLibrary&) = delete;
  GsLibrary& operator=(const GsLibrary&) = delete;

  decltype(&gsapi_new_instance) newInstance = nullptr;
  decltype(&gsapi_delete_instance) deleteInstance = nullptr;
  decltype(&gsapi_set_stdio) setStdio = nullptr;
  decltype(&gsapi_set_arg_encoding) setArgEncoding = nullptr;
  decltype(&gsapi_init_with_args) initWithArgs = nullptr;
  decltype(&gsapi_exit) exit = nullptr;

 private:
  GsLibrary() {
    // Never unmapped, not even at exit: the thread-local data of the
    // libraries it brings stays valid for whatever runs after this
    // destructor (the leak checker of a sanitized build crashed on it).
    handle_ = dlopen(LUMARO_GS_SONAME, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle_) return;
    const bool found = Find(newInstance, "gsapi_new_instance") && Find(deleteInstance, "gsapi_delete_instance") &&
                       Find(setStdio, "gsapi_set_stdio") && Find(setArgEncoding, "gsapi_set_arg_encoding") &&
                       Find(initWithArgs, "gsapi_init_with_args") && Find(exit, "gsapi_exit");
    if (!found) {
      dlclose(handle_);
      handle_ = nullptr;
    }
  }
  template <class F>
  bool Find(F& function, const char* name) {
    function = reinterpret_cast<F>(dlsym(handle_, name));
    return function != nullptr;
  }
  void* handle_ = nullptr;
};

// Ghostscript's messages, kept for the error text instead of being printed.
int GsDiscardIn(void*, char*, int) { return 0; }
int GsCollect(void* handle, const char* text, int length) {
  auto* messages = static_cast<std::string*>(handle);
  if (messages->size() < 4096) messages->append(text, static_cast<size_t>(length));
  return length;
}

// One Ghostscript interpreter, deleted on every path out.
class GsInstance {
 public:
  GsInstance(const GsLibrary& gs, std::string* messages) : gs_(gs) {
    if (gs_.newInstance(&instance_, messages) < 0) instance_ = nullptr;
  }
  ~GsInstance() {
    if (!instance_) return;
    if (initialised_) gs_.exit(instance_);
    gs_.deleteInstance(instance_);
  }
  GsInstance(const GsInstance&) = delete;
  GsInstance& operator=(const GsInstance&) = delete;
  void* get() const { return instance_; }
  void MarkInitialised() { initialised_ = true; }
  // Ends the run (the PDF is complete only after this); the code of gsapi_exit.
  int Exit() {
    initialised_ = false;
    return gs_.exit(instance_);
  }

 private:
  const GsLibrary& gs_;
  void* instance_ = nullptr;
  bool initialised_ = false;
};

// The last line of Ghostscript's messages that says something.
std::string LastMessage(const std::string& messages) {
  size_t end = messages.find_last_not_of(" \n\r\t");
  if (end == std::string::npos) return {};
  const size_t begin = messages.rfind('\n', end);
  return messages.substr(begin == std::string::npos ? 0 : begin + 1, end - (begin == std::string::npos ? 0 : begin + 1) + 1);
}

}  // namespace

bool PdfIsPdfFileName(std::string_view path) {
  if (path.size() < 4) return false;
  const std::string_view ext = path.substr(path.size() - 4);
  return ext[0] == '.' && (ext[1] | 0x20) == 'p' && (ext[2] | 0x20) == 'd' && (ext[3] | 0x20) == 'f';
}

bool PdfFromPostScript(std::string_view postscript, std::string* pdf, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  TempFile in("lumaro-print-ps");
  TempFile out("lumaro-print-pdf");
  if (!in.ok() || !out.ok()) return fail(std::string("cannot make a temporary file: ") + std::strerror(errno));
  if (!in.Write(postscript)) return fail(std::string("cannot write a temporary file: ") + std::strerror(errno));

  const GsLibrary* library = GsLibrary::Get();
  if (!library) return fail(std::string("cannot load Ghostscript's library ") + LUMARO_GS_SONAME);
  std::string messages;
  GsInstance gs(*library, &messages);
  if (!gs.get()) return fail("cannot start Ghostscript's library");
  library->setStdio(gs.get(), GsDiscardIn, GsCollect, GsCollect);
  library->setArgEncoding(gs.get(), GS_ARG_ENCODING_UTF8);
  // /prepress embeds every font, the standard 35 included (their URW
  // clones), which /default leaves out. Pages are turned by their text, so
  // a landscape printout opens as landscape.
  const std::string output = "-sOutputFile=" + out.path();
  const std::vector<std::string> args = {"lumaro", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pdfwrite",
                                         "-dPDFSETTINGS=/prepress", "-dEmbedAllFonts=true", "-dSubsetFonts=true",
                                         output, "-c", kDropOrientation, "-f", in.path()};
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  const int code = library->initWithArgs(gs.get(), static_cast<int>(argv.size()), argv.data());
  gs.MarkInitialised();
  const int exitCode = gs.Exit();
  if ((code < 0 && code != gs_error_Quit) || exitCode < 0) {
    const std::string last = LastMessage(messages);
    return fail("Ghostscript could not make the PDF" + (last.empty() ? std::string() : ": " + last));
  }
  if (!ReadWholeFile(out.path(), *pdf) || pdf->compare(0, 5, "%PDF-") != 0)
    return fail("Ghostscript wrote no PDF");
  return true;
}

bool PrintoutBytes(const PostScriptPainter& paint, bool pdf, std::string* bytes, std::string* error) {
  char* data = nullptr;
  size_t size = 0;
  std::FILE* mem = ::open_memstream(&data, &size);
  if (!mem) {
    if (error) *error = "cannot make the printout in memory";
    return false;
  }
  const bool painted = paint(mem, error);
  const bool closed = std::fclose(mem) == 0;
  std::string postscript(data ? data : "", size);
  std::free(data);
  if (!painted) return false;
  if (!closed) {
    if (error) *error = "cannot make the printout in memory";
    return false;
  }
  if (!pdf) {
    *bytes = std::move(postscript);
    return true;
  }
  return PdfFromPostScript(postscript, bytes, error);
}
