// PDF made from the printout's PostScript by Ghostscript's library, with
// every font embedded, so the file opens and prints the same everywhere.
// The print dialog's "print to file" and `lumaro-cli month --pdf` both come
// here.
#pragma once

#include <string>
#include <string_view>

// True when a file name asks for PDF: it ends in ".pdf" (any letter case).
bool PdfIsPdfFileName(std::string_view path);

// The PDF of a PostScript document. False, with the reason in `error`,
// when Ghostscript refused it or its library could not be started.
bool PdfFromPostScript(std::string_view postscript, std::string* pdf, std::string* error);
