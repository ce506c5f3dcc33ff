#include "help/shift_jis.h"

#include <iconv.h>

#include <cerrno>

#include "help/help_document.h"

namespace banchiro::help {
namespace {

// One conversion descriptor, closed when the conversion ends.
class Converter {
 public:
  Converter() : cd_(iconv_open("CP932", "UTF-8")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw HelpError("iconv cannot convert UTF-8 to CP932 on this system");
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::string ToShiftJis(std::string_view utf8) {
  Converter converter;
  std::string in(utf8);
  // Shift-JIS never takes more bytes than UTF-8 for the same text.
  std::string out(in.size(), '\0');
  char* in_ptr = in.data();
  std::size_t in_left = in.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  if (iconv(converter.get(), &in_ptr, &in_left, &out_ptr, &out_left) ==
      static_cast<std::size_t>(-1)) {
    const int error = errno;
    const std::string where(utf8.substr(0, in.size() - in_left));
    throw HelpError(std::string(error == EILSEQ ? "a character that has no Shift-JIS code"
                                                : "text that is not complete UTF-8") +
                    " after \"" + where + "\" in \"" + std::string(utf8) + "\"");
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace banchiro::help
