#pragma once
// Runs tumbo-cli in a folder of the test's own and captures its exit code and output.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

inline const std::string kFixtures = std::string(TUMBO_FIXTURES_DIR) + "/cli/";

struct TCliResult {
  int Exit;
  std::string Out;
  std::string Err;
};

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class Cli : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tumbo_cli_test_" + std::to_string(getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Writes a program (Windows-1252 bytes) into the test's folder and returns its path.
  std::string Program(const std::string& cp1252, const std::string& name = "p.tdp") {
    std::ofstream(dir_ / name, std::ios::binary) << cp1252;
    return (dir_ / name).string();
  }

  // Runs tumbo-cli; standard output goes to `stdoutFile` (read back when it is the test's own).
  TCliResult Cli_(const std::string& args, const std::string& stdoutFile = {}) {
    const fs::path out = stdoutFile.empty() ? dir_ / "stdout" : fs::path(stdoutFile);
    const fs::path err = dir_ / "stderr";
    const std::string command =
        std::string(TUMBO_CLI) + " " + args + " >" + out.string() + " 2>" + err.string();
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, stdoutFile.empty() ? ReadAll(out) : "",
            ReadAll(err)};
  }

  fs::path dir_;
};
