#include "help/helpgen.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "help/help_document.h"
#include "help/hlp_file.h"
#include "help/html_pages.h"

namespace banchiro::help {
namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] = "usage: helpgen SOURCE [--hlp OUT.HLP] [--html OUTDIR]\n";

struct Options {
  std::string source;
  std::string hlp;
  std::string html;
};

std::optional<Options> ParseArguments(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string* value = argument == "--hlp"    ? &options.hlp
                         : argument == "--html" ? &options.html
                                                : nullptr;
    if (value) {
      if (i + 1 == arguments.size() || !value->empty() || arguments[i + 1].empty()) return {};
      *value = arguments[++i];
    } else if (argument.empty() || argument[0] == '-' || !options.source.empty()) {
      return {};
    } else {
      options.source = argument;
    }
  }
  if (options.source.empty() || (options.hlp.empty() && options.html.empty())) return {};
  return options;
}

std::string ReadSource(const std::string& path) {
  std::error_code error;
  std::ifstream in(path, std::ios::binary);
  if (!fs::is_regular_file(path, error) || !in) throw HelpError("cannot read the source");
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Output {
  fs::path path;
  std::string bytes;
};

// Either every file is written in full or the targets keep what they held:
// the temporaries are removed when any write fails.
void WriteAll(const std::vector<Output>& outputs) {
  std::vector<fs::path> written;
  try {
    for (const Output& output : outputs) {
      fs::path temporary = output.path;
      temporary += ".tmp";
      written.push_back(temporary);
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      out.write(output.bytes.data(), static_cast<std::streamsize>(output.bytes.size()));
      out.close();
      if (!out) throw HelpError("cannot write " + output.path.string());
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      std::error_code error;
      fs::rename(written[i], outputs[i].path, error);
      if (error) throw HelpError("cannot write " + outputs[i].path.string());
    }
  } catch (const HelpError&) {
    for (const fs::path& temporary : written) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
    }
    throw;
  }
}

}  // namespace

int RunHelpgen(const std::vector<std::string>& arguments, std::ostream& err) {
  const std::optional<Options> options = ParseArguments(arguments);
  if (!options) {
    err << kUsage;
    return 2;
  }
  try {
    const HelpDocument document = ParseHelpSource(ReadSource(options->source));
    std::vector<Output> outputs;
    const std::string help_file = WriteHelpFile(document);
    if (!options->hlp.empty()) outputs.push_back(Output{options->hlp, help_file});
    if (!options->html.empty()) {
      std::error_code error;
      fs::create_directories(options->html, error);
      if (error) throw HelpError("cannot make the folder " + options->html);
      for (HtmlPage& page : HtmlPages(document)) {
        outputs.push_back(Output{fs::path(options->html) / page.file_name, std::move(page.html)});
      }
    }
    WriteAll(outputs);
  } catch (const HelpError& error) {
    err << "helpgen: " << options->source << ": " << error.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace banchiro::help
