// The program's texts are ANSI (Windows-1252), as on Windows: file names,
// captions, language files and registry data are bytes of that code page.
// A terminal that speaks UTF-8 reads them converted, at the output only.
#pragma once

#include <streambuf>

namespace vb::cli {

// A stream buffer that writes what it is given, Windows-1252 text, to another
// as UTF-8 (see registry::Cp1252ToUnicode). A failed write or flush below is
// its own failure, so that the stream over it sees the error.
class Utf8Output final : public std::streambuf {
 public:
  explicit Utf8Output(std::streambuf* below) : below_(below) {}

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  std::streambuf* below_;
};

}  // namespace vb::cli
