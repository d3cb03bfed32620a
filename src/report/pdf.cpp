#include "report/pdf.h"

#include <charconv>
#include <cstdio>

#include "files/codepage.h"

namespace welvaro {

namespace {

// A coordinate with two decimals and a point, whatever the locale.
std::string number(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
  return std::string(buf, r.ptr);
}

// A PDF string literal of Windows-1252 bytes: parentheses and backslash
// escaped, every byte outside printable ASCII as an octal escape.
std::string pdfText(const std::string& utf8) {
  std::string out = "(";
  for (const char ch : utf8ToCp1252(utf8)) {
    const auto b = static_cast<unsigned char>(ch);
    if (ch == '(' || ch == ')' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (b < 0x20 || b >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", b);
      out += buf;
    } else {
      out += ch;
    }
  }
  return out + ")";
}

// The page's drawing operations: one text object, each item placed by an
// absolute text matrix.
std::string content(const std::vector<PrintLine>& page) {
  std::string c = "BT\n";
  double top = kSheetHeight - kSheetMarginTop;  // top of the current line
  int font = 0;
  for (const PrintLine& z : page) {
    const double g = z.size;
    const double baseline = top - 0.9 * g;
    for (const PrintItem& t : z.items) {
      if (z.size != font) {
        font = z.size;
        c += "/F1 " + std::to_string(font) + " Tf\n";
      }
      const double x = kSheetMarginLeft + (t.column - 1) * kColumnFactor * g;
      c += "1 0 0 1 " + number(x) + " " + number(baseline) + " Tm " + pdfText(t.text) + " Tj\n";
    }
    top -= kLineFactor * g;
  }
  return c + "ET\n";
}

}  // namespace

std::string printPdf(const std::vector<PrintLine>& page) {
  const std::string stream = content(page);
  const std::string objects[] = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + number(kSheetWidth) + " " + number(kSheetHeight) +
          "] /Resources << /Font << /F1 4 0 R >> >> /Contents 5 0 R >>",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Courier /Encoding /WinAnsiEncoding >>",
      "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream",
      "<< /Title (Welvaro) /Producer (Welvaro) >>",
  };
  constexpr int kCount = static_cast<int>(std::size(objects));

  // Header with a comment of high bytes, so that transfer programs treat
  // the file as binary.
  std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> position;
  for (int i = 0; i < kCount; ++i) {
    position.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(kCount + 1) + "\n0000000000 65535 f \n";
  for (const std::size_t l : position) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%010zu 00000 n \n", l);
    pdf += buf;
  }
  pdf += "trailer\n<< /Size " + std::to_string(kCount + 1) + " /Root 1 0 R /Info 6 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

}  // namespace welvaro
