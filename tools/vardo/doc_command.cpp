// vardo doc tree FILE.svg [--json]: the document as the host sees it.
#include <cstdio>

#include "commands.h"
#include "document.h"
#include "documentdump.h"

namespace vardo::cli {

void AddDocCommand(CLI::App &app) {
  CLI::App *doc = app.add_subcommand("doc", "look at documents as the host sees them");
  doc->require_subcommand(1);
  struct Options {
    std::string file;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App *tree = doc->add_subcommand("tree",
                                       "print the layers and, in host order, every art object with "
                                       "its type, state, bounds, tags and text");
  tree->add_option("file", options->file, "an SVG document")->required();
  tree->add_flag("--json", options->json, "print JSON, with every text run's features");
  tree->callback([options]() {
    std::string error;
    std::unique_ptr<vhost::Document> document = vhost::Document::Load(options->file, &error);
    if (!document) {
      std::fprintf(stderr, "vardo doc tree: %s\n", error.c_str());
      throw CLI::RuntimeError(1);
    }
    const std::string text =
        options->json ? vhost::DescribeDocumentJson(*document) : vhost::DescribeDocument(*document);
    std::fwrite(text.data(), 1, text.size(), stdout);
  });
}

}  // namespace vardo::cli
