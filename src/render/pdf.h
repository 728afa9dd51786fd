// PDF made from the printout's PostScript by Ghostscript's library, with
// every font embedded, so the file opens and prints the same everywhere.
// The print dialog's "print to file" and `lumaro-cli month --pdf` both come
// here.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// True when a file name asks for PDF: it ends in ".pdf" (any letter case).
bool PdfIsPdfFileName(std::string_view path);

// The PDF of a PostScript document. False, with the reason in `error`,
// when Ghostscript refused it or its library could not be started.
bool PdfFromPostScript(std::string_view postscript, std::string* pdf, std::string* error);

// What a printout's painter writes onto a stream; false with the reason in
// its second argument when it could not paint.
using PostScriptPainter = std::function<bool(std::FILE*, std::string*)>;

// The whole printout in memory, as PostScript or (with `pdf`) as PDF, so
// that a file or a stream gets it only when it is complete. False, with
// the reason in `error`, when it could not be made.
bool PrintoutBytes(const PostScriptPainter& paint, bool pdf, std::string* bytes, std::string* error);
