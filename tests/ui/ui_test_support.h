// Shared pieces of the user-interface tests: a scratch folder that is removed afterwards,
// file reading, and an application state as start-up leaves it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "ui/forms/desktop.h"
#include "ui/workflows/app_state.h"

namespace qx::ui::testing {

class ScratchDir {
 public:
  ScratchDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("qx_ui_test_" + std::to_string(rd()) + "_" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // A path inside the folder, as the file dialogs give it.
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::string Dir() const {
    return path_.string() + static_cast<char>(std::filesystem::path::preferred_separator);
  }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(path_))
      if (e.is_regular_file())
        names.push_back(std::filesystem::relative(e.path(), path_).generic_string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

// Sets an environment variable for the lifetime of the object and then restores it.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name);
    if (old != nullptr) old_ = old;
    Set(value.c_str());
  }
  ~ScopedEnvironment() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void Set(const char* value) {
#ifdef _WIN32
    _putenv_s(name_.c_str(), value ? value : "");  // an empty value removes it
#else
    if (value) {
      setenv(name_.c_str(), value, 1);
    } else {
      unsetenv(name_.c_str());
    }
#endif
  }
  std::string name_;
  std::optional<std::string> old_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// The state start-up leaves: defaults, no file opened.
inline void StartState(AppState& state, const std::string& current) {
  ResetParamSet(state.params);
  state.current_par_file = current;
  state.opened_par_file.clear();
  state.params_modified = false;
}

// The titles of the boxes shown, in order.
inline std::vector<std::string> Titles(const std::vector<MessageBox>& boxes) {
  std::vector<std::string> titles;
  for (const MessageBox& b : boxes) titles.push_back(b.title);
  return titles;
}

}  // namespace qx::ui::testing
