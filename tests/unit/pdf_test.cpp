// PDF from PostScript through Ghostscript's library, and which file names ask for it.
#include "render/pdf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_env.h"

namespace {

TEST(Pdf, FileNamesEndingInPdfInAnyCase) {
  for (const char* name : {"april.pdf", "April.PDF", "/tmp/x.Pdf", ".pdf"}) EXPECT_TRUE(PdfIsPdfFileName(name)) << name;
  for (const char* name : {"april.ps", "april.pdf.ps", "pdf", "aprilpdf", "", "a.pd", "a.pdfx"})
    EXPECT_FALSE(PdfIsPdfFileName(name)) << name;
}

// Broken PostScript is an error, not an empty file; file operators on files
// outside the job (and the temporary folder) are refused by Ghostscript's safe mode.
TEST(Pdf, FromPostScriptFailures) {
  std::string pdf, error;
  EXPECT_FALSE(PdfFromPostScript("%!PS\n/nosuchoperator_x 1 2 nosuchoperator_x\n", &pdf, &error));
  EXPECT_NE(error.find("Ghostscript"), std::string::npos) << error;
  const std::string file = std::filesystem::current_path().string() + "/lumaro-pdf-keep";  // outside the temporary folder
  testenv::WriteFile(file, "x");
  EXPECT_FALSE(PdfFromPostScript("%!PS\n(" + file + ") deletefile showpage\n", &pdf, &error));
  EXPECT_EQ(testenv::ReadFile(file), "x");
  std::filesystem::remove(file);
}

}  // namespace
