// Writes the guide of a parameter file, read exactly as opening it in the program reads it:
// load, then print options 24 and 25 forced off. Used by the browser check, which prints the
// page with a real browser. Usage: make_guide FILE.par GUIDE.HTM
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/cp1252.h"
#include "common/messages.h"
#include "guide/guide.h"
#include "model/param_set.h"
#include "parfile/par_file.h"

namespace {

// Every message of the loader or the writer is a failure of the check: the sample must load
// cleanly and its guide must be written.
class StderrSink final : public qx::MessageSink {
 public:
  void Show(const qx::CoreMessage& message) override {
    std::fprintf(stderr, "make_guide: %s: %s\n", qx::Cp1252ToUtf8(message.title).c_str(),
                 qx::Cp1252ToUtf8(message.text).c_str());
    ++count_;
  }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "uso: make_guide ARQUIVO.par GUIA.HTM\n");
    return 2;
  }
  const std::string par_path = argv[1];
  const std::string guide_path = argv[2];
  // The loader treats a missing file as a new customer file; here it is a mistake.
  std::error_code error;
  if (!std::filesystem::is_regular_file(par_path, error)) {
    std::fprintf(stderr, "make_guide: arquivo inexistente: %s\n", par_path.c_str());
    return 1;
  }

  StderrSink sink;
  qx::ScopedMessageSink scoped(&sink);
  static qx::ParamSet params;  // large: kept off the stack
  qx::LoadParFile(params, par_path);
  params.print_options.print_ejournal = '0';
  params.print_options.print_training_message = '0';
  const bool written = qx::WriteGuide(params, guide_path);
  return written && sink.count() == 0 ? 0 : 1;
}
