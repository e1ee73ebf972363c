#include "platform/sys/desktop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "wait_limit.h"

namespace {

namespace fs = std::filesystem;

TEST(Desktop, LinuxReportsFullWindowDragOffAndIgnoresSets) {
  sys::desktop().setFullWindowDrag(true);
  EXPECT_FALSE(sys::desktop().fullWindowDrag());
}

TEST(Desktop, ADoubleReplacesTheDesktop) {
  struct Double : sys::Desktop {
    bool on = true;
    bool fullWindowDrag() const override { return on; }
    void setFullWindowDrag(bool v) override { on = v; }
  } dbl;
  sys::setDesktop(&dbl);
  EXPECT_TRUE(sys::desktop().fullWindowDrag());
  sys::desktop().setFullWindowDrag(false);
  EXPECT_FALSE(dbl.on);
  sys::setDesktop(nullptr);
  EXPECT_FALSE(sys::desktop().fullWindowDrag());
}

TEST(Desktop, TextEditorGetsTheFileNameAsOneArgument) {
  const fs::path dir = fs::temp_directory_path() / ("lab2siv-editor-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string out = (dir / "seen").string();
  // A stand-in editor that records the argument it was given.
  setenv("VISUAL", ("sh -c 'printf %s \"$1\" > " + out + "' editor").c_str(), 1);
  const std::string file = "Import log; rm -rf $HOME.txt";
  ASSERT_TRUE(sys::openInTextEditor(file));
  // The editor is not waited for: wait until it has written the whole name.
  std::string seen;
  l2stest::pollUntil([&] {
    std::ifstream in(out);
    std::ostringstream ss;
    ss << in.rdbuf();
    seen = ss.str();
    return seen == file;
  });
  EXPECT_EQ(seen, file);
  unsetenv("VISUAL");
  fs::remove_all(dir);
}

}  // namespace
