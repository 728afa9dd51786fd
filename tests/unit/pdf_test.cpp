// PDF from PostScript through Ghostscript's library, and which file names ask for it.
#include "render/pdf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PdfFileName, EndsInPdfInAnyCase) {
  const struct {
    const char* name;
    bool pdf;
  } cases[] = {{"april.pdf", true}, {"April.PDF", true}, {"/tmp/x.Pdf", true}, {".pdf", true},
               {"april.ps", false}, {"april.pdf.ps", false}, {"pdf", false},  {"aprilpdf", false},
               {"", false},         {"a.pd", false},         {"a.pdfx", false}};
  for (const auto& c : cases) EXPECT_EQ(PdfIsPdfFileName(c.name), c.pdf) << c.name;
}

TEST(PdfFromPostScript, MakesAPdfWithTheText) {
  const std::string ps =
      "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 612 792\n/Helvetica findfont 24 scalefont setfont\n"
      "72 700 moveto (Pesakh I) show showpage\n";
  std::string pdf, error;
  ASSERT_TRUE(PdfFromPostScript(ps, &pdf, &error)) << error;
  EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
  EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
  // The standard font is embedded (a font file stream), not only named.
  EXPECT_NE(pdf.find("/FontFile"), std::string::npos);
}

TEST(PdfFromPostScript, BrokenPostScriptIsAnErrorNotAnEmptyFile) {
  std::string pdf, error;
  EXPECT_FALSE(PdfFromPostScript("%!PS\n/nosuchoperator_x 1 2 nosuchoperator_x\n", &pdf, &error));
  EXPECT_NE(error.find("Ghostscript"), std::string::npos) << error;
}

TEST(PdfFromPostScript, SafeModeRefusesToDeleteFiles) {
  // The printout is our own PostScript, but Ghostscript still runs it in
  // its safe mode: file operators outside the job are refused.
  std::string pdf, error;
  EXPECT_FALSE(PdfFromPostScript("%!PS\n(/tmp/lumaro-pdf-test-x) deletefile showpage\n", &pdf, &error));
}

}  // namespace
